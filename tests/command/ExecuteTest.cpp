#include <gtest/gtest.h>

#include "command/CAtoi.h"
#include "command/Execute.h"
#include "command/LoadFile.h"
#include "command/LongJob.h"
#include "command/Session.h"
#include "domain/Fact.h"
#include "domain/Operation.h"
#include "grounding/OperationInstance.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::messageText;
using testing::runLines;
using testing::session;

Model& model() { return session().model; }

const char* const unknown = "Unknown command or not enough parameters\n";

TEST(Execute, EmptyCommentAndSeparatorLinesOnlySetDirty) {
    freshSession();
    for (const char* line : {"", ",,( ) :", "#type x", "# anything"}) {
        session().switches.dirty = false;
        executeLine(session(), line);
        EXPECT_TRUE(session().switches.dirty) << line;
    }
    EXPECT_EQ(messageText(), "");
    EXPECT_EQ(model().findType("x"), nullptr);
    runLines({"type a#b"});
    EXPECT_NE(model().findType("a#b"), nullptr);
}

TEST(Execute, TooFewTokensFallThroughToUnknown) {
    freshSession();
    runLines({"op o", "pre o", "solve", "file", "atom any", "const o eq(p)", "Type a", "type"});
    EXPECT_EQ(messageText(), std::string(unknown) + unknown + unknown + unknown + unknown + unknown);
}

TEST(Execute, OperationParametersAreReadOnceAndUnknownTypesSkipped) {
    freshSession();
    runLines({"type t", "op o(nope t:x, t:y) t", "op o(t:z)"});
    const Operation* operation = model().findOperation("o");
    ASSERT_EQ(operation->params.size(), 2u);
    EXPECT_EQ(operation->params[0]->name, "x");
    EXPECT_EQ(operation->params[1]->name, "y");
    EXPECT_EQ(messageText(), "Type \"nope\" unknown\no already exists\n");
}

TEST(Execute, ParameterlessDeclarationsMayGetParametersLater) {
    freshSession();
    runLines({"type t", "pred p", "pred p(t:x)", "op o", "op o t x"});
    EXPECT_EQ(model().findPredicate("p")->args.size(), 1u);
    EXPECT_EQ(model().findOperation("o")->params.size(), 1u);
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
    EXPECT_FALSE(session().switches.noDups);
    EXPECT_TRUE(session().switches.ignConst);
    EXPECT_FALSE(session().switches.filterReds);
    EXPECT_TRUE(session().switches.showInst);
    EXPECT_FALSE(session().logging());
    runLines({"log"});
    EXPECT_TRUE(session().logging());
}

TEST(Execute, WipeEmptiesTheDomainButKeepsSwitchesAndMessages) {
    freshSession();
    loadFile(session(), testing::sourcePath("examples/rocket.pln"));
    runLines({"noDups", "bogus"});
    runLines({"wipe"});
    EXPECT_EQ(model().types.size(), 1u);
    EXPECT_TRUE(model().atoms.empty());
    EXPECT_TRUE(model().predicates.empty());
    EXPECT_TRUE(model().operations.empty());
    EXPECT_EQ(model().facts.size(), 0u);
    EXPECT_TRUE(session().instances.empty());
    EXPECT_TRUE(model().initState.empty());
    EXPECT_TRUE(model().goalState.empty());
    EXPECT_TRUE(session().log.empty());
    EXPECT_FALSE(session().switches.noDups);
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
    EXPECT_EQ(cAtoi("-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(readCNumber("-2147483648").clamped);
    // Past the 32-bit range: the nearest bound, flagged.
    for (const char* large : {"2147483648", "4294967297", "99999999999999999999999"}) {
        EXPECT_EQ(cAtoi(large), 2147483647) << large;
        EXPECT_TRUE(readCNumber(large).clamped) << large;
    }
    EXPECT_EQ(cAtoi("-2147483649"), -2147483647 - 1);
    EXPECT_EQ(cAtoi("-99999999999999999999999"), -2147483647 - 1);
    EXPECT_TRUE(readCNumber("-99999999999999999999999").clamped);
}

// The log of "solve inselol LIMIT" on the cargo example, typed or as the
// window's job runs it, and the messages before the solve's timing line.
std::pair<std::string, std::string> inselolRun(const std::string& limit, bool asJob) {
    freshSession();
    loadFile(session(), testing::sourcePath("examples/rocket.pln"));
    session().messages.clear();
    const std::string line = "solve inselol " + limit;
    if (asJob) {
        const std::unique_ptr<LongJob> job = longJobFor(session(), tokenize(line));
        job->run();
        job->finish();
    } else {
        executeLine(session(), line);
    }
    const std::string messages = messageText();
    return {session().log.text(), messages.substr(0, messages.find(" - required "))};
}

TEST(Execute, ASolveLimitThatDoesNotFitIsTheNearestOneWithOneMessage) {
    const std::pair<const char*, const char*> clamped[] = {
        {"3000000000", "largest limit, 2147483647"},
        {"4294967298", "largest limit, 2147483647"},
        {"-3000000000", "smallest limit, -2147483648"}};
    for (const bool asJob : {false, true}) {
        for (const auto& [typed, used] : clamped) {
            SCOPED_TRACE(std::string(typed) + (asJob ? " as a job" : " typed"));
            const auto [log, messages] = inselolRun(typed, asJob);
            const bool largest = typed[0] != '-';
            EXPECT_EQ(log, inselolRun(largest ? "2147483647" : "-2147483648", asJob).first);
            EXPECT_EQ(log.find("Solution found") != std::string::npos, largest) << log;
            EXPECT_EQ(messages, "Limit \"" + std::string(typed) + "\" does not fit: solving with the " + used + "\n");
        }
        EXPECT_EQ(inselolRun("2", asJob).second, "");
    }
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
        {"noDups", []() -> bool& { return testing::session().switches.noDups; }},
        {"ignConst", []() -> bool& { return testing::session().switches.ignConst; }},
        {"filterReds", []() -> bool& { return testing::session().switches.filterReds; }},
        {"showInst", []() -> bool& { return testing::session().switches.showInst; }},
        {"log", []() -> bool& { return testing::session().logging(); }},
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
