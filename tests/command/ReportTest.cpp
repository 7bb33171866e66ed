#include <gtest/gtest.h>

#include "command/Report.h"
#include "command/Session.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::runBatchProgram;
using testing::runLines;
using testing::session;

const char* const statusLine = "\nLogging: yes  |  NoDups: yes  |  Constraints: used  |  Redundant Ops: filtered\n";

TEST(Report, BeforeTheFirstResetEverythingIsEmpty) {
    // Only a separate process has never been reset: no type "any" yet.
    const auto result = runBatchProgram({"-c", "atom any x"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, std::string("Types: \n\nAtoms: \n\nPredicates: \n\nOperations: \n"
                                         "init: \ngoal: \n\nLog:\n") +
                                 statusLine + "\nType \"any\" unknown\n\n");
}

TEST(Report, TypeAnyBeforeTheFirstResetIsAnOrdinaryType) {
    const auto result = runBatchProgram({"-c", "type any", "-c", "atom any x"});
    EXPECT_NE(result.output.find("Atoms: any:x\n"), std::string::npos);
}

TEST(Report, SmallDomainByteForByte) {
    freshSession();
    runLines({"type T", "derived T S", "atom S s1", "atom T t1", "pred p(T:x, any:y)", "op go(T:a, S:b)",
              "pre go p(a,b)", "add go p(a,a)", "const go eq(a t1)", "const go ~in(b s1 S)", "op stay",
              "init p(t1,s1)", "goal p(s1,t1)", "log", "bogus"});
    EXPECT_EQ(reportText(session()),
              "Types: S->T, T, any\n\n"
              "Atoms: S->T:s1, T:t1\n\n"
              "Predicates: p(T:x, any:y)\n\n"
              "Operations: \n"
              "go(T:a, S:b) - (0 instances)\n"
              "  pre: p(a,b)\n"
              "  del: \n"
              "  add: p(a,a)\n"
              "  const: a=t1 ^ b!={s1|S}\n"
              ", \n"
              "stay() - (0 instances)\n"
              "  pre: \n"
              "  del: \n"
              "  add: \n"
              "  const: \n"
              "\n"
              "init: p(t1,s1)\n"
              "goal: \n"
              "\nLogging: no  |  NoDups: yes  |  Constraints: used  |  Redundant Ops: filtered\n"
              "\nType mismatch, s1 is type S, but T expected\nUnknown command or not enough parameters\n\n");
}

TEST(Report, InstancesLogPlanAndSwitches) {
    freshSession();
    runLines({"type t", "atom t x", "pred p(t:a)", "op make(t:a)", "add make p(a)", "goal p(x)", "buildInst",
              "showInst", "noDups", "ignConst", "filterReds", "solve a*"});
    const std::string report = reportText(session());
    EXPECT_NE(report.find("make(t:a) - (1 instances)\n"), std::string::npos);
    EXPECT_NE(report.find("\nOperation instances:\nmake(x)\n\nLog:\n\nSolution found\n\nThe plan: \nmake(x)\n"
                          "\nLogging: yes  |  NoDups: no  |  Constraints: ignored  |  Redundant Ops: allowed\n"),
              std::string::npos)
        << report;
}

TEST(Report, PrintingClearsDirty) {
    freshSession();
    session().switches.dirty = true;
    ::testing::internal::CaptureStdout();
    printReport(session(), false);
    const std::string printed = ::testing::internal::GetCapturedStdout();
    EXPECT_FALSE(session().switches.dirty);
    EXPECT_EQ(printed, reportText(session()));
}

TEST(Report, CargoExampleFromTheBatchRunner) {
    const auto result = runBatchProgram({testing::sourcePath("examples/rocket.pln")});
    EXPECT_EQ(result.status, 0);
    // Four loads less the two at paris, two flights, four unloads.
    EXPECT_NE(result.output.find("load(cargo:c, rocket:r, place:p) - (2 instances)\n"
                                 "  pre: at(c,p), rocketAt(r,p)\n  del: at(c,p)\n  add: inside(c,r)\n"
                                 "  const: p!=paris\n"),
              std::string::npos);
    EXPECT_NE(result.output.find("fly(rocket:r, place:from, place:to) - (2 instances)\n"), std::string::npos);
    EXPECT_NE(result.output.find("unload(cargo:c, rocket:r, place:p) - (4 instances)\n"), std::string::npos);
    EXPECT_NE(result.output.find("init: at(a,london), at(b,london), rocketAt(r,london)\n"
                                 "goal: at(a,paris), at(b,paris)\n"),
              std::string::npos);
}

}  // namespace
}  // namespace vexmolda
