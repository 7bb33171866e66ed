#include <gtest/gtest.h>

#include <utility>

#include "PddlTestSupport.h"
#include "command/Session.h"
#include "command/Report.h"
#include "domain/Atom.h"
#include "domain/Operation.h"
#include "command/Execute.h"
#include "pddl/PddlLoader.h"
#include "pddl/PlanWriter.h"
#include "pddl/SExpression.h"
#include "solvers/Plan.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::session;

Model& model() { return session().model; }

using testing::TaskFiles;
using testing::writeTask;

// A domain whose one action is given; the action starts on line 4.
std::string domainWithAction(const std::string& action) {
    return "(define (domain d)\n"
           "  (:predicates (p ?x) (q ?x))\n"
           "  ; the action\n"
           "  (:action a :parameters (?x)\n" +
           action + "))\n";
}

const char* const plainProblem = "(define (problem p) (:domain d)\n (:objects o)\n (:init (p o))\n (:goal (q o)))\n";

struct Refusal {
    std::string domain;
    std::string problem;
    std::string construct;  // words the message must contain
    std::string place;      // "file:line:" of the construct
};

TEST(PddlRefusals, EachUnsupportedConstructIsNamedWithItsLineAndNothingIsLoaded) {
    const std::string fine = ":precondition (p ?x) :effect (q ?x)";
    const std::vector<Refusal> refusals = {
        {"(define (domain d)\n (:types a b\n c - (either a b))\n (:predicates (p ?x)))\n", plainProblem,
         "union type (either)", "domain:3:"},
        {"(define (domain d) (:predicates (p ?x) (q ?x))\n (:derived (q ?x) (p ?x)))\n", plainProblem,
         "derived predicate", "domain:2:"},
        {"(define (domain d) (:predicates (p ?x) (q ?x))\n (:durative-action a :parameters (?x)\n"
         " :duration (= ?duration 1) :condition (at start (p ?x)) :effect (at end (q ?x))))\n",
         plainProblem, "durative action", "domain:2:"},
        {"(define (domain d) (:predicates (p ?x) (q ?x))\n (:functions (fuel ?x) - number))\n", plainProblem,
         "numeric fluent", "domain:2:"},
        // Still outside what compiles: "when" in a condition, "or" in an effect.
        {domainWithAction("  :precondition (when (p ?x) (q ?x)) :effect (q ?x)"), plainProblem,
         "conditional effect (when)", "domain:5:"},
        {domainWithAction("  :precondition (p ?x)\n  :effect (or (p ?x) (q ?x))"), plainProblem, "disjunction (or)",
         "domain:6:"},
        {domainWithAction("  :precondition (> (fuel) 1) :effect (q ?x)"), plainProblem, "numeric condition",
         "domain:5:"},
        // Not constructs but errors that would load something else than the files say.
        {domainWithAction("  " + fine), "(define (problem p) (:domain other) (:objects o) (:init) (:goal (q o)))\n",
         "domain \"other\"", "problem:1:"},
        {domainWithAction("  " + fine), "(define (problem p) (:domain d) (:objects o)\n (:init (r o)) (:goal (q o)))\n",
         "predicate \"r\"", "problem:2:"},
        {domainWithAction("  " + fine), "(define (problem p) (:domain d) (:objects o)\n (:init (p o o)) (:goal (q o)))\n",
         "takes 1 arguments", "problem:2:"},
        {domainWithAction("  :precondition (p ?y) :effect (q ?x)"), plainProblem, "\"?y\"", "domain:5:"},
        {domainWithAction("  " + fine), "(define (problem p) (:domain d) (:objects o)\n (:init (p k)) (:goal (q o)))\n",
         "object \"k\"", "problem:2:"},
        {domainWithAction("  " + fine + ")"), plainProblem, "\")\" without", "domain:5:"},
        {"(define (domain d)\n (:predicates (p ?x)\n", plainProblem, "never closed", "domain:2:"},
        // A stray "(" in the last action: the list it opens, not the define, is the one left open.
        {"(define (domain d)\n (:predicates (p ?x) (q ?x))\n (:action a :parameters (?x)\n"
         "  :precondition ((p ?x)\n  :effect (q ?x)))\n",
         plainProblem, "never closed", "domain:4:"},
        {"(define (domain d) (:types package city)\n (:predicates (at ?p - package ?c - city)))\n",
         "(define (problem p) (:domain d) (:objects a - package london - city)\n (:init (at london a))\n"
         " (:goal (at a london)))\n",
         "type mismatch in (at london a), london is type city, but package expected", "problem:2:"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.domain + refusal.problem);
        const std::string domainFile = testing::writeTempFile("domain", refusal.domain);
        const std::string problemFile = testing::writeTempFile("problem", refusal.problem);
        testing::freshSession();
        testing::runLines({"type marker", "atom marker m", "op keep(marker:x)", "buildInst"});
        session().messages.clear();
        const std::string before = reportText(session());
        EXPECT_FALSE(loadPddl(session(), domainFile, problemFile));
        const std::string message = testing::messageText();
        EXPECT_NE(message.find(refusal.construct), std::string::npos) << message;
        EXPECT_NE(message.find(refusal.place), std::string::npos) << message;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
        // Nothing of the PDDL got in: the report differs only by the message.
        session().messages.clear();
        EXPECT_EQ(reportText(session()), before);
    }
}

TEST(PddlRefusals, TheConstructsThatNowCompileLoadAndTheirPlansReplay) {
    const std::string fine = ":precondition (p ?x) :effect (q ?x)";
    const std::vector<std::pair<std::string, std::string>> compiled = {
        {domainWithAction("  :precondition (and (p ?x)\n (not (q ?x))) :effect (q ?x)"), plainProblem},
        {domainWithAction("  :precondition (or (p ?x) (q ?x)) :effect (q ?x)"), plainProblem},
        {domainWithAction("  :precondition (imply (q ?x) (p ?x)) :effect (q ?x)"), plainProblem},
        {domainWithAction("  :precondition (exists (?y) (p ?y)) :effect (q ?x)"), plainProblem},
        {domainWithAction("  :precondition (p ?x)\n  :effect (forall (?y) (q ?y))"), plainProblem},
        {domainWithAction("  :precondition (p ?x)\n  :effect (when (p ?x) (q ?x))"), plainProblem},
        {domainWithAction("  " + fine),
         "(define (problem p) (:domain d) (:objects o k) (:init (p o))\n (:goal (and (q o)\n (not (q k)))))\n"},
        {domainWithAction("  " + fine), "(define (problem p) (:domain d) (:objects o) (:init (p o))\n (:goal (or (q o))))\n"},
    };
    for (const auto& [domain, problem] : compiled) {
        SCOPED_TRACE(domain + problem);
        const std::string domainFile = testing::writeTempFile("domain", domain);
        const std::string problemFile = testing::writeTempFile("problem", problem);
        testing::freshSession();
        ASSERT_TRUE(loadPddl(session(), domainFile, problemFile)) << testing::messageText();
        executeLine(session(), "solve a*");
        ASSERT_NE(session().currentPlan, nullptr);
        const std::string plan = competitionPlanText(*session().currentPlan, currentPddlNames(session()));
        EXPECT_EQ(testing::checkPlan(testing::readTask(domainFile, problemFile), plan), "") << plan;
    }
}

TEST(PddlRefusals, BindingsPastTheirLimitsAreCountedAndRefusedBeforeAnyIsTried) {
    std::string objects;
    for (int i = 0; i < 200; ++i) objects += " o" + std::to_string(i);
    const std::string problem = "(define (problem p) (:domain d) (:objects" + objects + ") (:init) (:goal (done)))\n";
    const std::vector<std::pair<std::string, std::string>> refusals = {
        {"(define (domain d) (:predicates (p ?x) (done))\n"
         " (:action a :parameters ()\n  :precondition (forall (?x ?y ?z) (or (p ?x) (p ?y) (p ?z))) :effect (done)))\n",
         ":2: action \"a\" would need 8000000 bindings of its quantifiers, more than 2000000\n"},
        {"(define (domain d) (:predicates (p ?x) (r ?a ?b) (done))\n"
         " (:action b :parameters (?a ?b ?c ?d ?e ?f ?g ?h)\n  :precondition (not (p ?a)) :effect (r ?g ?h)))\n",
         ":2: action \"b\" would need 2560000000000000000 bindings of its parameters, more than 1000000000\n"},
    };
    for (const auto& [domain, refusal] : refusals) {
        const TaskFiles files = writeTask(domain, problem);
        testing::freshSession();
        EXPECT_FALSE(loadPddl(session(), files.domain, files.problem));
        EXPECT_EQ(testing::messageText(), files.domain + refusal);
        EXPECT_TRUE(model().atoms.empty());
    }
}

TEST(PddlRefusals, AProblemWithoutItsDomainIsReadAgainstTheDomainWithOneMessage) {
    const TaskFiles files = writeTask(domainWithAction(":precondition (p ?x) :effect (q ?x)"),
                                      "(define (problem p)\n (:objects o) (:init (p o)) (:goal (q o)))\n");
    testing::freshSession();
    EXPECT_TRUE(loadPddl(session(), files.domain, files.problem));
    EXPECT_EQ(testing::messageText(),
              files.problem + ":1: the problem names no domain (:domain NAME); it is read as a problem of \"d\"\n");
    EXPECT_NE(model().findOperation("a"), nullptr);
}

TEST(PddlRefusals, MissingFilesAreReportedLikeDomainFiles) {
    testing::freshSession();
    testing::runLines({"type marker"});
    const TaskFiles files = writeTask(domainWithAction(":effect (q ?x)"), plainProblem);
    EXPECT_FALSE(loadPddl(session(), "/nonexistent/d.pddl", files.problem));
    EXPECT_FALSE(loadPddl(session(), files.domain, "/nonexistent/p.pddl"));
    EXPECT_EQ(testing::messageText(),
              "File \"/nonexistent/d.pddl\" not found\nFile \"/nonexistent/p.pddl\" not found\n");
    EXPECT_NE(model().findType("marker"), nullptr);
}

TEST(PddlRefusals, DeepNestingIsRefusedWithItsLineAndNothingIsLoaded) {
    auto repeated = [](const std::string& text, int times) {
        std::string out;
        for (int i = 0; i < times; ++i) out += text;
        return out;
    };
    // The action's precondition opens at depth 3 (define, action), so 990 "(and" stay within the limit.
    auto nestedAnd = [&](int depth) {
        return domainWithAction("  :precondition " + repeated("(and ", depth) + "(p ?x)" + repeated(")", depth) +
                                " :effect (q ?x)");
    };
    const TaskFiles fits = writeTask(nestedAnd(990), plainProblem);
    testing::freshSession();
    EXPECT_TRUE(loadPddl(session(), fits.domain, fits.problem)) << testing::messageText();
    ASSERT_NE(model().findOperation("a"), nullptr);
    EXPECT_EQ(model().findOperation("a")->pre.size(), 1u);

    const std::vector<std::pair<TaskFiles, std::string>> deep = {
        {writeTask(nestedAnd(100000), plainProblem), "domain.pddl:5:"},
        {writeTask(nestedAnd(0), "(define (problem p) (:domain d) (:objects o) (:init (p o))\n (:goal " +
                                     repeated("(", 1000000) + repeated(")", 1000000) + "))\n"),
         "problem.pddl:2:"},
    };
    for (const auto& [files, place] : deep) {
        testing::freshSession();
        testing::runLines({"type marker"});
        EXPECT_FALSE(loadPddl(session(), files.domain, files.problem));
        const std::string message = testing::messageText();
        EXPECT_NE(message.find(place + " lists nested deeper than 1000 levels are not supported\n"),
                  std::string::npos)
            << message;
        EXPECT_NE(model().findType("marker"), nullptr);
    }

    // However deep a tree gets, freeing it does not recurse.
    SExpression tree;
    for (int i = 0; i < 1000000; ++i) {
        SExpression outer;
        outer.isList = true;
        outer.items.push_back(std::move(tree));
        tree = std::move(outer);
    }
}

TEST(PddlCosts, AreKeptWithOneMessageAndTheRestIsLoaded) {
    const TaskFiles files = writeTask(R"((define (domain d)
  (:requirements :strips :action-costs)
  (:predicates (p ?x) (q ?x))
  (:functions (total-cost) - number)
  (:action a :parameters (?x) :precondition (p ?x)
     :effect (and (q ?x) (increase (total-cost) 5))))
)",
                                      R"((define (problem p) (:domain d) (:objects o)
  (:init (p o) (= (total-cost) 0))
  (:goal (q o))
  (:metric minimize (total-cost)))
)");
    testing::freshSession();
    EXPECT_TRUE(loadPddl(session(), files.domain, files.problem));
    const std::string message = testing::messageText();
    // One message, at the first place costs appear.
    EXPECT_EQ(message, files.domain + ":4: action costs (total-cost) kept for the plan's cost, not used in the search\n");
    ASSERT_NE(model().findOperation("a"), nullptr);
    EXPECT_EQ(model().findOperation("a")->add.size(), 1u);
    executeLine(session(), "solve a*");
    ASSERT_NE(session().currentPlan, nullptr);
    EXPECT_EQ(competitionPlanText(*session().currentPlan, currentPddlNames(session())), "(a o)\n; cost = 5\n");
}

TEST(PddlRefusals, OtherNumericEffectsAndMetricsAreRefused) {
    for (const auto& [domain, problem, construct] : std::vector<std::tuple<std::string, std::string, std::string>>{
             {domainWithAction("  :effect (and (q ?x) (increase (fuel ?x) 1))"), plainProblem, "numeric effect"},
             {domainWithAction("  :effect (and (q ?x) (decrease (total-cost) 1))"), plainProblem, "numeric effect"},
             {domainWithAction("  :effect (q ?x)"),
              "(define (problem p) (:domain d) (:objects o) (:init) (:goal (q o)) (:metric maximize (total-cost)))",
              "metric"},
         }) {
        const TaskFiles files = writeTask(domain, problem);
        testing::freshSession();
        EXPECT_FALSE(loadPddl(session(), files.domain, files.problem));
        EXPECT_NE(testing::messageText().find(construct), std::string::npos) << testing::messageText();
        EXPECT_TRUE(model().atoms.empty());
    }
}

}  // namespace
}  // namespace vexmolda
