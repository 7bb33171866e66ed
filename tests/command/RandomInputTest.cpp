#include <gtest/gtest.h>

#include <random>

#include "command/Execute.h"
#include "command/Report.h"
#include "command/Session.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

// Random command lines built from the language's own words and separators,
// mixed with raw bytes. Nothing may crash, hang or read out of bounds (the
// sanitizer builds catch the last), and every message must be a whole line.
std::string randomLine(std::mt19937& random) {
    static const std::vector<std::string> words = {
        "type", "derived", "atom", "pred", "op", "pre", "add", "del", "const", "condconst", "init", "goal",
        "instance", "buildInst", "noDups", "ignConst", "filterReds", "showInst", "solve", "a*", "eq", "in", "is",
        "one", "all", "=>", "~", "(", ")", ",", ":", "t", "u", "x", "y", "p", "q", "o", "any", "#", "log"};
    std::string line;
    const int length = static_cast<int>(random() % 14);
    for (int i = 0; i < length; ++i) {
        if (random() % 8 == 0) {
            line.push_back(static_cast<char>(1 + random() % 255));
        } else {
            line += words[random() % words.size()];
        }
        if (random() % 3) line.push_back(' ');
    }
    return line;
}

TEST(RandomInput, NoLineBreaksTheInterpreter) {
    std::mt19937 random(12345);
    for (int session = 0; session < 40; ++session) {
        testing::freshSession();
        executeLine(testing::session(), "type t u");
        executeLine(testing::session(), "atom t x y");
        for (int i = 0; i < 200; ++i) {
            const std::string line = randomLine(random);
            TokenList tokens = tokenize(line);
            // Quitting or reading files is not what this test is about.
            if (!tokens.empty() && (tokens[0].text == "q" || tokens[0].text == "file")) continue;
            execute(testing::session(), tokens);
        }
        for (const std::string& message : testing::session().messages.lines) {
            ASSERT_FALSE(message.empty());
            EXPECT_EQ(message.back(), '\n');
        }
        EXPECT_FALSE(reportText(testing::session()).empty());
    }
}

TEST(RandomInput, HugeLinesAndNesting) {
    testing::freshSession();
    std::string manyTypes = "type";
    for (int i = 0; i < 10000; ++i) manyTypes += " t" + std::to_string(i);
    executeLine(testing::session(), manyTypes);
    executeLine(testing::session(), "pred p" + std::string(100000, '('));
    executeLine(testing::session(), "op o" + std::string(100000, 'x'));
    executeLine(testing::session(), std::string(100000, '~'));
    EXPECT_EQ(testing::messageText(), "Unknown command or not enough parameters\n");
}

}  // namespace
}  // namespace vexmolda
