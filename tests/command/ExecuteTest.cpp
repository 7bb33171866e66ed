#include <gtest/gtest.h>

#include "command/CAtoi.h"
#include "command/Execute.h"
#include "command/LoadFile.h"
#include "command/Switches.h"
#include "command/TextBuffer.h"
#include "domain/Fact.h"
#include "domain/Operation.h"
#include "grounding/OperationInstance.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::messageText;
using testing::runLines;

const char* const unknown = "Unknown command or not enough parameters\n";

TEST(Execute, EmptyCommentAndSeparatorLinesOnlySetDirty) {
    freshSession();
    for (const char* line : {"", ",,( ) :", "#type x", "# anything"}) {
        dirty = false;
        executeLine(line);
        EXPECT_TRUE(dirty) << line;
    }
    EXPECT_EQ(messageText(), "");
    EXPECT_EQ(findType("x"), nullptr);
    runLines({"type a#b"});
    EXPECT_NE(findType("a#b"), nullptr);
}

TEST(Execute, TooFewTokensFallThroughToUnknown) {
    freshSession();
    runLines({"op o", "pre o", "solve", "file", "atom any", "const o eq(p)", "Type a", "type"});
    EXPECT_EQ(messageText(), std::string(unknown) + unknown + unknown + unknown + unknown + unknown);
}

TEST(Execute, OperationParametersAreReadOnceAndUnknownTypesSkipped) {
    freshSession();
    runLines({"type t", "op o(nope t:x, t:y) t", "op o(t:z)"});
    const Operation* operation = findOperation("o");
    ASSERT_EQ(operation->params.size(), 2u);
    EXPECT_EQ(operation->params[0]->name, "x");
    EXPECT_EQ(operation->params[1]->name, "y");
    EXPECT_EQ(messageText(), "Type \"nope\" unknown\no already exists\n");
}

TEST(Execute, ParameterlessDeclarationsMayGetParametersLater) {
    freshSession();
    runLines({"type t", "pred p", "pred p(t:x)", "op o", "op o t x"});
    EXPECT_EQ(findPredicate("p")->args.size(), 1u);
    EXPECT_EQ(findOperation("o")->params.size(), 1u);
    EXPECT_EQ(messageText(), "p already exists\no already exists\n");
}

TEST(Execute, LiteralCommandsNeedAnExistingOperation) {
    freshSession();
    runLines({"pre ghost p(x)", "add ghost p(x)", "del ghost p(x)"});
    EXPECT_EQ(messageText(), "No operation \"ghost\"\nNo operation \"ghost\"\nNo operation \"ghost\"\n");
}

TEST(Execute, SwitchesToggle) {
    freshSession();
    runLines({"noDups", "ignConst", "filterReds", "showInst", "log"});
    EXPECT_FALSE(noDups);
    EXPECT_TRUE(ignConst);
    EXPECT_FALSE(filterReds);
    EXPECT_TRUE(showInst);
    EXPECT_FALSE(logging());
    runLines({"log"});
    EXPECT_TRUE(logging());
}

TEST(Execute, WipeEmptiesTheDomainButKeepsSwitchesAndMessages) {
    freshSession();
    loadFile(testing::sourcePath("examples/rocket.pln"));
    runLines({"noDups", "bogus"});
    runLines({"wipe"});
    EXPECT_EQ(Type::registry().size(), 1u);
    EXPECT_TRUE(Atom::registry().empty());
    EXPECT_TRUE(predicates.empty());
    EXPECT_TRUE(operations.empty());
    EXPECT_EQ(factPool.size(), 0u);
    EXPECT_TRUE(instanceList.empty());
    EXPECT_TRUE(initState.empty());
    EXPECT_TRUE(goalState.empty());
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(noDups);
    EXPECT_NE(messageText().find(unknown), std::string::npos);
}

TEST(Execute, FileNameRule) {
    EXPECT_EQ(domainFileName("a.pln"), "a.pln");
    EXPECT_EQ(domainFileName(".pln"), ".pln.pln");
    EXPECT_EQ(domainFileName("a"), "a.pln");
    EXPECT_EQ(domainFileName("a.PLN"), "a.PLN.pln");
}

TEST(CAtoi, ReadsAsTheCLibraryDoes) {
    EXPECT_EQ(cAtoi("2"), 2);
    EXPECT_EQ(cAtoi("12abc"), 12);
    EXPECT_EQ(cAtoi("abc"), 0);
    EXPECT_EQ(cAtoi(" \t-7"), -7);
    EXPECT_EQ(cAtoi("+5"), 5);
    EXPECT_EQ(cAtoi("- 5"), 0);
    EXPECT_EQ(cAtoi("2147483647"), 2147483647);
    EXPECT_EQ(cAtoi("2147483648"), -2147483647 - 1);       // truncated to 32 bits
    EXPECT_EQ(cAtoi("4294967297"), 1);
    EXPECT_EQ(cAtoi("99999999999999999999999"), -1);         // clamped to 2^63-1, low 32 bits
    EXPECT_EQ(cAtoi("-99999999999999999999999"), 0);         // clamped to -2^63
}

}  // namespace
}  // namespace vexmolda

namespace vexmolda {
namespace {

TEST(Execute, SwitchesSetByOnAndOffAndFlippedByTheBareWord) {
    struct Switch {
        const char* word;
        bool& (*value)();
    };
    const Switch switches[] = {
        {"noDups", [] -> bool& { return noDups; }},     {"ignConst", [] -> bool& { return ignConst; }},
        {"filterReds", [] -> bool& { return filterReds; }}, {"showInst", [] -> bool& { return showInst; }},
        {"log", logging},
    };
    // The explicit forms give the same value whatever came before; the bare word flips.
    const std::pair<const char*, bool> steps[] = {{" on", true},   {" on", true}, {" off", false}, {" off", false},
                                                  {"", true},      {" on", true}, {"", false},     {" off", false}};
    for (const Switch& entry : switches) {
        testing::freshSession();
        for (const auto& [suffix, expected] : steps) {
            testing::runLines({entry.word + std::string(suffix)});
            EXPECT_EQ(entry.value(), expected) << entry.word << suffix;
        }
        EXPECT_EQ(testing::messageText(), "");
    }
}

}  // namespace
}  // namespace vexmolda
