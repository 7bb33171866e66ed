#include <gtest/gtest.h>

#include "PddlTestSupport.h"
#include "command/Session.h"
#include "command/Execute.h"
#include "domain/Atom.h"
#include "domain/Fact.h"
#include "domain/Operation.h"
#include "grounding/Grounding.h"
#include "pddl/PddlLoader.h"
#include "pddl/PlanWriter.h"
#include "solvers/Plan.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::session;

Model& model() { return session().model; }

using testing::checkPlan;
using testing::readTask;
using testing::TaskFiles;
using testing::writeTask;

// Loads the task, solves it with A* and checks the written plan on the PDDL.
void solveAndCheck(const TaskFiles& files) {
    executeLine(session(), "solve a*");
    ASSERT_NE(session().currentPlan, nullptr);
    const std::string plan = competitionPlanText(*session().currentPlan, currentPddlNames(session()));
    EXPECT_EQ(checkPlan(readTask(files.domain, files.problem), plan), "") << plan;
}

std::string parameterTypeName(const std::string& operation, std::size_t position) {
    return model().findOperation(operation)->params.at(position)->type->name;
}

std::string predicateTypeName(const std::string& predicate, std::size_t position) {
    return model().findPredicate(predicate)->args.at(position)->type->name;
}

// --- Names: case, separators, collisions ---

const char* const namesDomain = R"((define (domain Names)
  (:requirements :strips :typing)
  (:types Truck Place)
  (:predicates (AT ?t - truck ?p - place) (link|x ?a - place ?b - place))
  (:action Go:Now
    :parameters (?T - truck ?from - place ?To - place)
    :precondition (and (at ?t ?from) (LINK|X ?from ?to))
    :effect (and (not (at ?t ?from)) (at ?T ?to))))
)";

const char* const namesProblem = R"((define (problem p) (:domain NAMES)
  (:objects T1 - truck a:b a_b A=B - place)
  (:init (at t1 a:b) (link|x a:b a_b) (link|x a_b a=b))
  (:goal (at T1 A=B)))
)";

TEST(PddlNames, AreLowerCasedAndSeparatorsReplacedWithoutMergingAndPlansGoBackToTheSpelling) {
    const TaskFiles files = writeTask(namesDomain, namesProblem);
    testing::freshSession();
    ASSERT_TRUE(loadPddl(session(), files.domain, files.problem)) << testing::messageText();
    EXPECT_EQ(testing::messageText(), "");
    EXPECT_NE(model().findType("truck"), nullptr);
    EXPECT_NE(model().findOperation("go_now"), nullptr);
    EXPECT_NE(model().findPredicate("link_x"), nullptr);
    EXPECT_NE(model().findPredicate("at"), nullptr);
    // "a_b" needed no change and keeps its name; the two others are told apart.
    ASSERT_NE(model().findAtom("a_b"), nullptr);
    EXPECT_NE(model().findAtom("a_b_2"), nullptr);
    EXPECT_NE(model().findAtom("a_b_3"), nullptr);
    EXPECT_NE(model().findAtom("t1"), nullptr);
    EXPECT_EQ(model().atoms.size(), 4u);
    EXPECT_EQ(model().initState.size(), 3u);
    solveAndCheck(files);
    const std::string plan = competitionPlanText(*session().currentPlan, currentPddlNames(session()));
    EXPECT_EQ(plan, "(Go:Now T1 a:b a_b)\n(Go:Now T1 a_b A=B)\n; cost = 2 (unit cost)\n");
}

const char* const collidingDomain = R"((define (domain collide)
  (:requirements :typing)
  (:types any truck - object)
  (:constants c - any)
  (:predicates (on ?x - truck ?y - any))
  (:action put :parameters (?truck - truck ?c - any)
     :precondition (and) :effect (on ?truck ?c)))
)";

const char* const collidingProblem = R"((define (problem p) (:domain collide)
  (:objects truck - truck d - any)
  (:init)
  (:goal (and (on truck c) (on truck d))))
)";

TEST(PddlNames, ThatCollideAcrossKindsAreRenamed) {
    const TaskFiles files = writeTask(collidingDomain, collidingProblem);
    testing::freshSession();
    ASSERT_TRUE(loadPddl(session(), files.domain, files.problem)) << testing::messageText();
    EXPECT_EQ(testing::messageText(), "");
    // A type named "any" is not the command language's own any.
    ASSERT_NE(model().findType("any_2"), nullptr);
    EXPECT_NE(model().findType("any_2"), model().anyType);
    // The object named like a type, and the parameter named like an object.
    ASSERT_NE(model().findAtom("truck_2"), nullptr);
    EXPECT_EQ(model().findAtom("truck_2")->type, model().findType("truck"));
    EXPECT_EQ(model().findAtom("truck"), nullptr);
    EXPECT_EQ(model().findOperation("put")->params.at(0)->name, "truck");
    EXPECT_EQ(model().findOperation("put")->params.at(1)->name, "c_2");
    // With ?c taken for the constant c, put would only ever reach on(truck, c).
    EXPECT_EQ(countInstances(session().instances, *model().findOperation("put")), 2);
    solveAndCheck(files);
}

// --- Types: exact for facts, subtypes for grounding ---

const char* const typedDomain = R"((define (domain typed)
  (:requirements :strips :typing)
  (:types vehicle place - object truck - vehicle)
  (:predicates (at ?v - vehicle ?p - place) (parked ?t - truck) (seen ?o) (mark ?x))
  (:action drive :parameters (?v - vehicle ?from ?to - place)
     :precondition (at ?v ?from)
     :effect (and (not (at ?v ?from)) (at ?v ?to)))
  (:action look :parameters (?o - object)
     :precondition (and)
     :effect (seen ?o)))
)";

const char* const typedProblem = R"((define (problem p) (:domain typed)
  (:objects t1 - truck v1 - vehicle p1 p2 - place o1)
  (:init (at t1 p1) (at v1 p1) (parked t1) (mark o1))
  (:goal (and (at t1 p2) (at v1 p2) (seen o1))))
)";

TEST(PddlTypes, APredicatePositionKeepsItsTypeOnlyWhenEverythingReachingItHasExactlyThatType) {
    const TaskFiles files = writeTask(typedDomain, typedProblem);
    testing::freshSession();
    ASSERT_TRUE(loadPddl(session(), files.domain, files.problem)) << testing::messageText();
    // No type mismatch anywhere, in the declarations or in grounding.
    EXPECT_EQ(testing::messageText(), "");
    EXPECT_EQ(predicateTypeName("at", 0), "any");  // the truck t1 reaches a vehicle position
    EXPECT_EQ(predicateTypeName("at", 1), "place");
    EXPECT_EQ(predicateTypeName("parked", 0), "truck");
    EXPECT_EQ(predicateTypeName("seen", 0), "any");    // reached by a parameter of type object
    EXPECT_EQ(predicateTypeName("mark", 0), "object");  // only the object o1 reaches it
    EXPECT_EQ(parameterTypeName("look", 0), "any");
    EXPECT_EQ(parameterTypeName("drive", 0), "vehicle");
    EXPECT_EQ(parameterTypeName("drive", 1), "place");
    // Two vehicles (one of them through the subtype) times two places twice.
    EXPECT_EQ(countInstances(session().instances, *model().findOperation("drive")), 2 * 2 * 2);
    EXPECT_EQ(countInstances(session().instances, *model().findOperation("look")), 5);
    solveAndCheck(files);
}

const char* const deepDomain = R"((define (domain deep)
  (:requirements :strips :typing)
  (:types minitruck - truck truck - vehicle vehicle place)
  (:predicates (at ?v - vehicle ?p - place) (loaded ?t - truck))
  (:action move :parameters (?v - vehicle ?from ?to - place)
     :precondition (at ?v ?from)
     :effect (and (not (at ?v ?from)) (at ?v ?to)))
  (:action load :parameters (?t - truck)
     :precondition (and)
     :effect (loaded ?t)))
)";

const char* const deepProblem = R"((define (problem p) (:domain deep)
  (:objects v - vehicle t - truck m - minitruck here there - place)
  (:init (at v here) (at t here) (at m here))
  (:goal (and (at v there) (at m there) (loaded m) (loaded t))))
)";

TEST(PddlTypes, AHierarchyThreeDeepGroundsThroughEveryLevel) {
    const TaskFiles files = writeTask(deepDomain, deepProblem);
    testing::freshSession();
    ASSERT_TRUE(loadPddl(session(), files.domain, files.problem)) << testing::messageText();
    EXPECT_EQ(testing::messageText(), "");
    // Parents are declared first even where the file names the child first.
    std::string chain;
    model().findAtom("m")->print(chain);
    EXPECT_EQ(chain, "minitruck->truck->vehicle->object:m");
    EXPECT_EQ(model().findType("vehicle")->parent, model().findType("object"));
    // move takes all three vehicles, load the truck and the minitruck only.
    EXPECT_EQ(countInstances(session().instances, *model().findOperation("move")), 3 * 2 * 2);
    EXPECT_EQ(countInstances(session().instances, *model().findOperation("load")), 2);
    EXPECT_EQ(predicateTypeName("loaded", 0), "any");
    solveAndCheck(files);
}

// --- One object for two parameters ---

std::string blocksWith(const std::string& actions) {
    return R"((define (domain pairs)
  (:requirements :strips :typing :equality)
  (:types block place)
  (:constants table - place)
  (:predicates (on ?a - block ?b - block) (clear ?a - block) (at ?a - block ?p - place)))" +
           actions + ")\n";
}

const char* const pairsProblem = R"((define (problem p) (:domain pairs)
  (:objects a b c - block)
  (:init (clear a) (clear b) (clear c) (at a table) (at b table) (at c table))
  (:goal (and (on a b) (on b c))))
)";

const char* const stackWithInequality = R"(
  (:action stack :parameters (?x ?y - block ?p - place)
     :precondition (and (not (= ?x ?y)) (clear ?x) (clear ?y) (at ?x ?p))
     :effect (and (on ?x ?y) (not (clear ?y)) (not (at ?x ?p)))))";

const char* const stackWithout = R"(
  (:action stack :parameters (?x ?y - block ?p - place)
     :precondition (and (clear ?x) (clear ?y) (at ?x ?p))
     :effect (and (on ?x ?y) (not (clear ?y)) (not (at ?x ?p)))))";

const char* const touchWithout = R"(
  (:action touch :parameters (?x ?y - block) :precondition (and) :effect (clear ?x)))";

TEST(PddlDistinctObjects, WithoutInequalitiesNoDupsIsClearedWhateverItWas) {
    const TaskFiles files = writeTask(blocksWith(stackWithout), pairsProblem);
    for (bool before : {true, false}) {
        testing::freshSession();
        session().switches.noDups = before;
        ASSERT_TRUE(loadPddl(session(), files.domain, files.problem)) << testing::messageText();
        EXPECT_FALSE(session().switches.noDups);
        // stack(a,a,table) is a PDDL action too.
        EXPECT_EQ(countInstances(session().instances, *model().findOperation("stack")), 3 * 3);
    }
}

TEST(PddlDistinctObjects, WhenEveryPairThatCanShareAnObjectMustDifferNoDupsIsSet) {
    // The block and the place of stack can never be one object: that pair needs no inequality.
    const TaskFiles files = writeTask(blocksWith(stackWithInequality), pairsProblem);
    for (bool before : {true, false}) {
        testing::freshSession();
        session().switches.noDups = before;
        ASSERT_TRUE(loadPddl(session(), files.domain, files.problem)) << testing::messageText();
        EXPECT_EQ(testing::messageText(), "");
        EXPECT_TRUE(session().switches.noDups);
        EXPECT_EQ(countInstances(session().instances, *model().findOperation("stack")), 3 * 2);
        solveAndCheck(files);
    }
}

TEST(PddlDistinctObjects, OtherUsesOfEqualityBetweenParametersAreDecidedByBindingThem) {
    const std::vector<std::pair<std::string, std::string>> bound = {
        // Another action lets two blocks be one object.
        {blocksWith(std::string(stackWithInequality) + touchWithout), "stack"},
        // An equality between two parameters.
        {blocksWith(std::string(stackWithout) + R"(
  (:action same :parameters (?x ?y - block) :precondition (= ?x ?y) :effect (clear ?x)))"),
         "same"},
        // An inequality of a parameter with itself never holds: no operation at all.
        {blocksWith(std::string(stackWithout) + R"(
  (:action never :parameters (?x - block) :precondition (not (= ?x ?x)) :effect (clear ?x)))"),
         "never"},
    };
    for (const auto& [domain, action] : bound) {
        SCOPED_TRACE(domain);
        const TaskFiles files = writeTask(domain, pairsProblem);
        testing::freshSession();
        ASSERT_TRUE(loadPddl(session(), files.domain, files.problem)) << testing::messageText();
        const std::string message = testing::messageText();
        EXPECT_NE(message.find("equalities decided by binding the parameters\n"), std::string::npos) << message;
        std::size_t operationsOfAction = 0;
        for (const auto& [name, origin] : currentPddlNames(session())->origins) operationsOfAction += origin.action == action;
        // stack: a block on another one, three places each; same: once per block; never: none.
        EXPECT_EQ(operationsOfAction, action == "stack" ? 3u * 2u : action == "same" ? 3u : 0u);
        solveAndCheck(files);
    }
}

TEST(PddlDistinctObjects, EqualityWithAConstantBecomesAMembershipItem) {
    const TaskFiles files = writeTask(blocksWith(std::string(stackWithout) + R"(
  (:action stay :parameters (?x - block ?p - place) :precondition (= ?p table) :effect (at ?x ?p))
  (:action leave :parameters (?x - block ?p - place) :precondition (not (= table ?p)) :effect (clear ?x)))"),
                                      R"((define (problem p) (:domain pairs)
  (:objects a b - block shelf - place)
  (:init (clear a) (at a shelf))
  (:goal (and (at a table) (clear b))))
)");
    testing::freshSession();
    ASSERT_TRUE(loadPddl(session(), files.domain, files.problem)) << testing::messageText();
    EXPECT_EQ(testing::messageText(), "");
    ASSERT_EQ(model().findOperation("stay")->constraints.size(), 1u);
    EXPECT_EQ((*model().findOperation("stay")->constraints.begin())->toString(), "p=table");
    EXPECT_EQ((*model().findOperation("leave")->constraints.begin())->toString(), "p!=table");
    // Two blocks with one place each: table for stay, shelf for leave.
    EXPECT_EQ(countInstances(session().instances, *model().findOperation("stay")), 2);
    EXPECT_EQ(countInstances(session().instances, *model().findOperation("leave")), 2);
    solveAndCheck(files);
}

}  // namespace
}  // namespace vexmolda
