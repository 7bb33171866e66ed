// Loading PDDL in the headless program: a refused task leaves nothing to
// solve, and a long translation stops at the time limit and at Ctrl-C.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::writeTempFile;

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Runs a shell script in which $batch is the headless program.
testing::BatchResult runScript(const std::string& script) {
    const std::string path =
        writeTempFile("run.sh", "batch='" + std::string(VEXMOLDA_BATCH) + "'\nexec </dev/null\n" + script + "\n");
    return testing::runShellCommand("bash " + path);
}

TEST(PddlLoad, ARefusedTaskLeavesNothingToSolveUntilAWipe) {
    const std::string domain = writeTempFile("domain.pddl", R"((define (domain d) (:predicates (p) (q))
  (:durative-action a :parameters () :duration (= ?duration 1)
     :condition (at start (p)) :effect (at end (q))))
)");
    const std::string problem = writeTempFile("problem.pddl", "(define (problem p) (:domain d) (:init (p)) (:goal (q)))\n");
    const std::string plan = writeTempFile("plan.txt", "") + ".new";
    const auto refused = testing::runBatchProgram({"--pddl", domain, problem, "-c", "solve a*", "--plan-out", plan});
    EXPECT_EQ(refused.status, 1) << refused.output;
    EXPECT_TRUE(has(refused.output, ":2: durative action (:durative-action) is not supported\n")) << refused.output;
    EXPECT_TRUE(has(refused.output, "\nNo task to solve: the PDDL task was refused\n")) << refused.output;
    EXPECT_FALSE(has(refused.output, "Solution found")) << refused.output;
    EXPECT_TRUE(has(refused.output, "No plan to write to \"" + plan + "\"\n")) << refused.output;
    EXPECT_FALSE(std::filesystem::exists(plan));

    // A wipe forgets the refusal: the empty model is the user's, whose empty goal holds.
    const auto wiped = testing::runBatchProgram({"--pddl", domain, problem, "-c", "wipe", "-c", "solve a*"});
    EXPECT_EQ(wiped.status, 1) << wiped.output;
    EXPECT_FALSE(has(wiped.output, "No task to solve")) << wiped.output;
    EXPECT_TRUE(has(wiped.output, "\nSolution found\n")) << wiped.output;
}

// 40,000 cargos, one fact each, and an action whose precondition binds every
// cargo with each of 50 spots: 2 million bindings, within the limit but far
// longer to translate than either test waits.
struct LongTask {
    std::string domain;
    std::string problem;
};

LongTask longTranslation() {
    LongTask task;
    task.domain = writeTempFile("domain.pddl", R"((define (domain spots)
  (:types cargo spot)
  (:predicates (at ?c - cargo) (blocked ?s - spot) (done))
  (:action finish :parameters ()
     :precondition (forall (?c - cargo ?s - spot) (imply (blocked ?s) (at ?c)))
     :effect (done)))
)");
    std::string objects;
    std::string init;
    for (int i = 0; i < 40000; ++i) {
        objects += " c" + std::to_string(i);
        init += " (at c" + std::to_string(i) + ")";
    }
    objects += " - cargo";
    for (int i = 0; i < 50; ++i) objects += " s" + std::to_string(i);
    task.problem = writeTempFile("problem.pddl", "(define (problem p) (:domain spots)\n (:objects" + objects +
                                                     " - spot)\n (:init" + init + ")\n (:goal (done)))\n");
    return task;
}

TEST(PddlLoad, ALongTranslationStopsAtTheTimeLimitAndAtCtrlC) {
    const LongTask task = longTranslation();
    const std::string stopped = "Loading \"" + task.problem + "\" stopped ";

    // The time limit ends the load only: the next argument runs.
    const auto timed = testing::runBatchProgram(
        {"--time-limit", "0.5", "--pddl", task.domain, task.problem, "-c", "solve a*", "-c", "type after"});
    EXPECT_EQ(timed.status, 1) << timed.output;
    // Reading or binding, whichever the limit meets on a loaded machine.
    EXPECT_TRUE(has(timed.output, stopped + "at the time limit of 0.5 s ")) << timed.output;
    EXPECT_TRUE(has(timed.output, "\nNo task to solve: loading the PDDL task was stopped\n")) << timed.output;
    EXPECT_TRUE(has(timed.output, "Types: after\n")) << timed.output;

    // Ctrl-C once the progress line shows bindings: the report, status 130, no further argument.
    const std::string progress = writeTempFile("progress.txt", "");
    const auto interrupted = runScript(
        "$batch --progress --pddl '" + task.domain + "' '" + task.problem + "' -c 'type after' 2>'" + progress +
        "' & program=$!\n"
        "for i in $(seq 1200); do grep -q '[1-9][0-9,]* bindings tried' '" + progress +
        "' && break; sleep 0.1; done\n"
        "kill -INT $program; wait $program; status=$?; cat '" + progress + "'; exit $status");
    EXPECT_EQ(interrupted.status, 130) << interrupted.output;
    EXPECT_TRUE(has(interrupted.output, stopped + "by the user while binding the actions to objects, after "))
        << interrupted.output;
    EXPECT_TRUE(has(interrupted.output, "Types: \n")) << interrupted.output;
}

}  // namespace
}  // namespace vexmolda
