#include <gtest/gtest.h>

#include "domain/Constraint.h"
#include "domain/Operation.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::messageText;
using testing::runLines;
using testing::session;

// A domain with one operation o(place:p, thing:t) to hang constraints on.
Operation& operationWithConstraints(const std::vector<std::string>& lines) {
    freshSession();
    runLines({"type place thing", "derived place city", "atom place london paris", "atom city rome",
              "atom thing box", "op o(place:p, thing:t)"});
    runLines(lines);
    return *session().model.findOperation("o");
}

std::string constraintTexts(const Operation& operation) {
    std::string text;
    for (const Constraint* constraint : operation.constraints) text += constraint->toString() + ";";
    return text;
}

bool holdsWith(const Constraint& constraint, Operation& operation, const char* place) {
    ParameterBindings bindings;
    bindings.reset(operation.params.size());
    bindings.bind(*operation.params[0], session().model.findAtom(place));
    bindings.bind(*operation.params[1], session().model.findAtom("box"));
    return constraint.holds(bindings);
}

TEST(Constraints, MembershipTextForms) {
    Operation& operation = operationWithConstraints(
        {"const o eq(p london)", "const o eq(p london paris) ~in(p place)", "const o is(p london place)"});
    EXPECT_EQ(constraintTexts(operation), "p=london;p={london|paris};p!=place;p={london|place};");
    EXPECT_EQ(messageText(), "");
}

TEST(Constraints, NegationInvertsAndTypeMembersAreExact) {
    Operation& operation = operationWithConstraints({"const o eq(p place)", "const o ~eq(p place)"});
    ASSERT_EQ(operation.constraints.size(), 2u);
    const Constraint& plain = **operation.constraints.begin();
    const Constraint& negated = **std::next(operation.constraints.begin());
    EXPECT_TRUE(holdsWith(plain, operation, "london"));
    EXPECT_FALSE(holdsWith(negated, operation, "london"));
    // rome is a city, derived from place: not a member of the type.
    EXPECT_FALSE(holdsWith(plain, operation, "rome"));
    EXPECT_TRUE(holdsWith(negated, operation, "rome"));
}

TEST(Constraints, ImplicationsHoldUnlessTriggeredAndViolated) {
    Operation& operation = operationWithConstraints({"condconst o eq(p london) => eq(t box)",
                                                     "condconst o one eq(p paris) eq(p rome) => ~eq(p paris)"});
    EXPECT_EQ(constraintTexts(operation), "[p=london]=>[t=box];[p=paris v p=rome]=>[p!=paris];");
    const Constraint& first = **operation.constraints.begin();
    const Constraint& second = **std::next(operation.constraints.begin());
    EXPECT_TRUE(holdsWith(first, operation, "london"));
    EXPECT_TRUE(holdsWith(first, operation, "paris"));  // condition false: satisfied
    EXPECT_FALSE(holdsWith(second, operation, "paris"));
    EXPECT_TRUE(holdsWith(second, operation, "rome"));
    EXPECT_TRUE(holdsWith(second, operation, "london"));
}

TEST(Constraints, IncompleteOrEmptyItemsVanishSilently) {
    Operation& operation = operationWithConstraints(
        {"condconst o eq(p london) eq(t box)", "condconst o all => eq(t box)", "const o eq(p) eq(t)"});
    EXPECT_TRUE(operation.constraints.empty());
    EXPECT_EQ(messageText(), "");
}

TEST(Constraints, BadOperandsAreReportedAndScanningGoesOn) {
    Operation& operation =
        operationWithConstraints({"const o eq(q london) eq(p nowhere london)", "const x eq(p london)"});
    EXPECT_EQ(messageText(), "A variable is required as first operand\nnowhere not found\nNo operation \"x\"\n");
    EXPECT_EQ(constraintTexts(operation), "p=london;");
}

TEST(Constraints, KeywordAtTheEndHasNoOperand) {
    Operation& operation = operationWithConstraints({"const o x y eq"});
    EXPECT_EQ(messageText(), "A variable is required as first operand\n");
    EXPECT_TRUE(operation.constraints.empty());
}

TEST(Constraints, LinesAccumulateAndParametersCanBeMembers) {
    Operation& operation = operationWithConstraints({"const o eq(p london)", "const o ~eq(p t)"});
    EXPECT_EQ(constraintTexts(operation), "p=london;p!=t;");
    // A parameter member never equals an atom binding.
    const Constraint& parameterMember = **std::next(operation.constraints.begin());
    EXPECT_TRUE(holdsWith(parameterMember, operation, "london"));
}

}  // namespace
}  // namespace vexmolda
