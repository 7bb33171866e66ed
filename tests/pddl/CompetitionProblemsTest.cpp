#include <gtest/gtest.h>

#include <algorithm>

#include "PddlTestSupport.h"
#include "command/Execute.h"
#include "command/Report.h"
#include "command/Session.h"
#include "pddl/PddlLoader.h"
#include "pddl/PlanWriter.h"
#include "pddl/StepOrigins.h"
#include "solvers/Plan.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::session;

using testing::checkPlan;
using testing::TaskFiles;

// The domain and the one problem of a folder of tests/data/pddl-competitions.
TaskFiles competition(const std::string& folder, const std::string& problem) {
    const std::string base = testing::sourcePath("tests/data/pddl-competitions/" + folder + "/");
    return {base + "domain.pddl", base + problem};
}

struct Case {
    TaskFiles files;
    std::string solver;
    std::vector<std::string> messages;  // lines the load must report
};

// Loads, checks the load's messages, solves, replays the written plan on the
// PDDL and checks that every step maps back to the operation that was taken.
void loadSolveAndReplay(const Case& run, std::string* loadMessages = nullptr) {
    SCOPED_TRACE(run.files.problem + " with " + run.solver);
    testing::freshSession();
    ASSERT_TRUE(loadPddl(session(), run.files.domain, run.files.problem)) << testing::messageText();
    const std::string message = testing::messageText();
    if (loadMessages) *loadMessages = message;
    for (const std::string& line : run.messages) {
        EXPECT_NE(message.find(line + "\n"), std::string::npos) << line << " in\n" << message;
    }
    executeLine(session(), "solve " + run.solver);
    ASSERT_NE(session().currentPlan, nullptr) << testing::messageText();
    const std::string plan = competitionPlanText(*session().currentPlan, currentPddlNames(session()));
    EXPECT_EQ(checkPlan(testing::readTask(run.files.domain, run.files.problem), plan), "") << plan;
    // "validate" takes the written plan back: split actions, exists bindings, left-out goal operations.
    const auto steps = std::count(plan.begin(), plan.end(), '\n') - 1;
    session().messages.clear();
    executeLine(session(), "validate " + testing::writeTempFile("plan.txt", plan));
    EXPECT_EQ(testing::messageText(), "Plan valid: " + std::to_string(steps) + " steps reach the goal\n") << plan;
    const PddlNames& names = *currentPddlNames(session());
    for (const OperationInstance* step : session().currentPlan->steps) {
        auto origin = names.origins.find(step->name());
        if (origin == names.origins.end() || origin->second.hidden) continue;
        const std::vector<TranslatedStep> candidates =
            translatedSteps(names, origin->second.action, origin->second.arguments);
        EXPECT_TRUE(std::any_of(candidates.begin(), candidates.end(),
                                [&](const TranslatedStep& candidate) { return candidate.operation == step->name(); }))
            << step->name();
    }
}

TEST(PddlCompetitions, ReaderFaultsAreMended) {
    // "(aircraft?a)" holds a variable; "area" is listed under object and under surface.
    const TaskFiles storage = competition("storage", "p01.pddl");
    EXPECT_EQ(testing::readTask(storage.domain, storage.problem).domain.findType("area")->parent, "surface");
    loadSolveAndReplay({competition("zenotravel", "p01.pddl"), "a*", {}});
    std::string loadMessages;
    loadSolveAndReplay({storage, "a*", {}}, &loadMessages);
    // storage is STRIPS once read: the schemas are translated one to one.
    EXPECT_EQ(session().model.operations.size(), 5u);
    EXPECT_EQ(loadMessages, "");
}

TEST(PddlCompetitions, NegativeLiteralsAndEqualitiesCompileIntoComplementsAndBindings) {
    loadSolveAndReplay({competition("hiking-opt14-strips", "ptesting-1-2-3.pddl"), "a*",
                        {"3 equalities decided by binding the parameters"}});
    loadSolveAndReplay({competition("tidybot-opt11-strips", "p01.pddl"), "a*",
                        {"34 negative preconditions compiled into complement predicates (not_base-obstacle, "
                         "not_gripper-obstacle, not_object-done, not_parked)"}});
    // Only predicates used negatively got a complement.
    EXPECT_NE(session().model.findPredicate("not_parked"), nullptr);
    EXPECT_EQ(session().model.findPredicate("not_holding"), nullptr);
}

TEST(PddlCompetitions, QuantifiersAndDisjunctionsBecomeOneOperationPerDisjunct) {
    loadSolveAndReplay({competition("miconic-fulladl", "f1-0.pddl"), "a*",
                        {"27 negative preconditions compiled into complement predicates (not_boarded, not_served)",
                         "15 quantifiers expanded over their objects",
                         "21 disjunctions and implications compiled into one operation per disjunct"}});
    loadSolveAndReplay({competition("trucks", "p01.pddl"), "graph", {"2 quantifiers expanded over their objects"}});
    loadSolveAndReplay({competition("openstacks-opt08-adl", "p01.pddl"), "a*",
                        {"2 disjunctions and implications compiled into one operation per disjunct"}});
    // A disjunctive goal: goal operations reach a fresh fact and stay out of the plan.
    const TaskFiles files = testing::writeTask(R"((define (domain lamps)
  (:predicates (on ?l) (broken ?l))
  (:action switch :parameters (?l) :precondition (not (broken ?l)) :effect (on ?l)))
)",
                                               R"((define (problem two) (:domain lamps) (:objects a b c)
  (:init (broken c))
  (:goal (or (and (on a) (not (broken b))) (exists (?l) (and (on ?l) (broken ?l))) (on b))))
)");
    // The exists part needs c on, which no action reaches: two disjuncts remain.
    loadSolveAndReplay({files, "a*", {"2 goal operations reach the disjunctive goal"}});
    const std::string plan = competitionPlanText(*session().currentPlan, currentPddlNames(session()));
    EXPECT_TRUE(plan == "(switch a)\n; cost = 1 (unit cost)\n" || plan == "(switch b)\n; cost = 1 (unit cost)\n") << plan;
}

TEST(PddlCompetitions, ConditionalEffectsSplitOperationsIntoVariants) {
    loadSolveAndReplay({competition("miconic-simpleadl", "s1-0.pddl"), "a*",
                        {"2 conditional effects compiled by splitting operations into variants",
                         "stop split into 4 variants"}});
    // "when (busy ?m) (not (busy ?m))" and the like need no variant.
    loadSolveAndReplay({competition("schedule", "probschedule-10-0.pddl"), "graph",
                        {"25 conditional effects compiled by splitting operations into variants"}});
}

TEST(PddlCompetitions, BindingTheActionsKeepsTheShortestPlansOfTheSchemas) {
    for (const auto& [folder, problem] : std::vector<std::pair<std::string, std::string>>{
             {"gripper", "prob01.pddl"}, {"blocks", "probBLOCKS-4-0.pddl"}, {"logistics00", "probLOGISTICS-4-0.pddl"}}) {
        SCOPED_TRACE(folder);
        const TaskFiles schemas = {testing::pddlData(folder + "/domain.pddl"), testing::pddlData(folder + "/" + problem)};
        testing::freshSession();
        ASSERT_TRUE(loadPddl(session(), schemas.domain, schemas.problem));
        executeLine(session(), "solve a*");
        ASSERT_NE(session().currentPlan, nullptr);
        const std::size_t shortest = session().currentPlan->steps.size();
        // An action that never applies, but whose "either" the schemas cannot express.
        std::string domain = testing::fileText(schemas.domain);
        domain.insert(domain.rfind(')'), " (:action never :parameters (?x - (either object))"
                                         " :precondition (and (= ?x ?x) (not (= ?x ?x))) :effect (and)) ");
        const TaskFiles bound = {testing::writeTempFile("domain.pddl", domain), schemas.problem};
        std::string loadMessages;
        loadSolveAndReplay({bound, "a*", {}}, &loadMessages);
        EXPECT_NE(loadMessages.find("actions bound to their objects"), std::string::npos) << loadMessages;
        ASSERT_NE(session().currentPlan, nullptr);
        EXPECT_EQ(session().currentPlan->steps.size(), shortest);
    }
}

TEST(PddlCompetitions, DerivedPredicatesAndSplitsPastTheLimitAreRefusedAndNothingIsLoaded) {
    const TaskFiles derived = competition("optical-telegraphs", "p01-opt2.pddl");
    // Thirteen independent conditional effects: 2^13 variants.
    std::string objects;
    for (int i = 0; i < 13; ++i) objects += " o" + std::to_string(i);
    const TaskFiles tooMany = testing::writeTask(R"((define (domain lights)
  (:predicates (lit ?x) (marked ?x))
  (:action light :parameters (?x) :precondition (and) :effect (lit ?x))
  (:action mark :parameters ()
     :effect (forall (?x) (when (lit ?x) (marked ?x)))))
)",
                                                 "(define (problem all) (:domain lights) (:objects" + objects +
                                                     ")\n (:init) (:goal (marked o0)))\n");
    const std::vector<std::pair<TaskFiles, std::string>> refusals = {
        {derived, derived.domain + ":150: derived predicate (:derived) is not supported\n"},
        {tooMany, tooMany.domain + ":4: action \"mark\" would need 8192 variants for one binding, more than 4096\n"},
    };
    for (const auto& [files, refusal] : refusals) {
        testing::freshSession();
        testing::runLines({"type marker", "atom marker m", "op keep(marker:x)", "buildInst"});
        session().messages.clear();
        const std::string before = reportText(session());
        EXPECT_FALSE(loadPddl(session(), files.domain, files.problem));
        EXPECT_EQ(testing::messageText(), refusal);
        session().messages.clear();
        EXPECT_EQ(reportText(session()), before);
    }
}

TEST(PddlCompetitions, ThePlanFileEndsWithTheSumOfTheTasksActionCosts) {
    const TaskFiles files = competition("transport-opt08-strips", "p01.pddl");
    const std::string planFile = testing::writeTempFile("plan.txt", "");
    const auto result = testing::runBatchProgram(
        {"--pddl", files.domain, files.problem, "-c", "solve a*", "--plan-out", planFile});
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_NE(result.output.find(":22: action costs (total-cost) kept for the plan's cost, not used in the search\n"),
              std::string::npos)
        << result.output;
    const std::string plan = testing::fileText(planFile);
    long long cost = -1;
    EXPECT_EQ(checkPlan(testing::readTask(files.domain, files.problem), plan, &cost), "") << plan;
    // Roads cost their length, the other actions 1: more than the step count.
    const long long steps = std::count(plan.begin(), plan.end(), '\n') - 1;
    EXPECT_GT(cost, steps);
    const std::string costLine = "; cost = " + std::to_string(cost) + "\n";
    ASSERT_GE(plan.size(), costLine.size());
    EXPECT_EQ(plan.substr(plan.size() - costLine.size()), costLine) << plan;
}

}  // namespace
}  // namespace vexmolda
