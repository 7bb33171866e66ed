#include <gtest/gtest.h>

#include "command/LoadFile.h"
#include "grounding/Grounding.h"
#include "grounding/InstanceText.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::messageText;
using testing::runLines;
using testing::session;

Model& model() { return session().model; }

// instantiate with the session's switches, as the "instance" command does.
OperationInstance* instantiate(const std::string& name, const std::vector<Atom*>& objects) {
    Grounder grounder(model(), session().instances, session().groundingOptions(), session().messages);
    return grounder.instantiate(name, objects);
}

TEST(Grounding, CargoExampleInstancesInBuildOrder) {
    freshSession();
    loadFile(session(), testing::sourcePath("examples/rocket.pln"));
    EXPECT_EQ(instancesText(session().instances),
              "fly(r,london,paris)\nfly(r,paris,london)\n"
              "load(a,r,london)\nload(b,r,london)\n"
              "unload(a,r,london)\nunload(a,r,paris)\nunload(b,r,london)\nunload(b,r,paris)\n");
    const std::string before = instancesText(session().instances);
    runLines({"buildInst"});
    EXPECT_EQ(instancesText(session().instances), before);
}

// An instance keeps the objects it was made with, though its operation,
// parameterless then, gains parameters later.
TEST(Grounding, InstanceKeepsItsArgumentsWhenItsOperationGainsParameters) {
    freshSession();
    runLines({"type t", "atom t x", "op a", "buildInst", "op a t p"});
    ASSERT_EQ(model().findOperation("a")->params.size(), 1u);
    ASSERT_EQ(session().instances.size(), 1u);
    EXPECT_TRUE(session().instances[0]->args().empty());
    EXPECT_EQ(instancesText(session().instances), "a()\n");
}

TEST(Grounding, SwitchesDecideWhatIsBuilt) {
    freshSession();
    loadFile(session(), testing::sourcePath("examples/rocket.pln"));
    runLines({"noDups", "buildInst"});
    EXPECT_EQ(countInstances(session().instances, *model().findOperation("fly")), 4);
    runLines({"noDups", "ignConst", "buildInst"});
    EXPECT_EQ(countInstances(session().instances, *model().findOperation("load")), 4);
}

TEST(Grounding, RedundantInstancesCollapseIntoTheFirst) {
    freshSession();
    // swap(x,y) and swap(y,x) have the same ground sets.
    runLines({"type t", "atom t x y", "pred linked(t:a, t:b)", "op swap(t:a, t:b)", "add swap linked(a,b) linked(b,a)",
              "op nothing", "op nothingElse", "buildInst"});
    EXPECT_EQ(instancesText(session().instances), "nothing()\nswap(x,y)\n");
    runLines({"filterReds", "buildInst"});
    EXPECT_EQ(instancesText(session().instances), "nothing()\nnothingElse()\nswap(x,y)\nswap(y,x)\n");
    // An existing binding is found before the redundancy test.
    runLines({"filterReds"});
    EXPECT_EQ(instantiate("swap", {model().findAtom("y"), model().findAtom("x")}), session().instances[3]);
    // Otherwise a single instance returns the earlier equal one, whatever its operation.
    runLines({"buildInst"});
    EXPECT_EQ(instantiate("swap", {model().findAtom("y"), model().findAtom("x")}), session().instances[1]);
    EXPECT_EQ(instantiate("nothingElse", {}), session().instances[0]);
    EXPECT_EQ(session().instances.size(), 2u);
}

TEST(Grounding, InstanceCommandMessages) {
    freshSession();
    runLines({"type t u", "atom t x", "atom u z", "op o(t:a, t:b)", "instance ghost x", "instance o x",
              "instance o x nobody", "instance o z x", "instance o x x"});
    EXPECT_EQ(messageText(),
              "Operation \"ghost\" doesn't exist\nWrong number of parameters\n"
              "\"nobody\" not found or no atom\nWrong number of parameters\n"
              "Type mismatch, z is type u, but t expected\n");
    EXPECT_TRUE(session().instances.empty());
    runLines({"noDups", "instance o x x", "instance o x x"});
    EXPECT_EQ(instancesText(session().instances), "o(x,x)\n");
}

TEST(Grounding, DuplicateCheckComesBeforeTheNextPositionsType) {
    freshSession();
    runLines({"type t u", "atom t x", "atom u z", "op o(t:a, t:b, t:c)", "instance o x z x"});
    EXPECT_EQ(messageText(), "");
}

TEST(Grounding, SubtypesFitParametersButNotTheOtherWay) {
    freshSession();
    runLines({"type place", "derived place city", "atom place p", "atom city c", "op visit(city:x)",
              "op stop(place:x)", "filterReds", "buildInst"});
    EXPECT_EQ(instancesText(session().instances), "stop(c)\nstop(p)\nvisit(c)\n");
}

TEST(Grounding, OperationWithoutCandidatesYieldsNothingElseGoesOn) {
    freshSession();
    runLines({"type t empty", "atom t x", "op a(empty:e)", "op b(t:v)", "buildInst"});
    EXPECT_EQ(instancesText(session().instances), "b(x)\n");
    EXPECT_EQ(messageText(), "");
}

TEST(Grounding, DerivedObjectInAnExactlyTypedFactRefusesTheBinding) {
    freshSession();
    runLines({"type place", "derived place city", "atom place p", "atom city c", "pred at(place:x)",
              "op go(place:x)", "add go at(x)", "pre go at(x)", "buildInst"});
    EXPECT_EQ(instancesText(session().instances), "go(p)\n");
    EXPECT_EQ(messageText(), "Type mismatch, c is type city, but place expected\n");
}

TEST(Grounding, ConstraintsFilterUnlessIgnored) {
    freshSession();
    runLines({"type t", "atom t x y", "op o(t:a)", "const o ~eq(a x)", "filterReds", "buildInst"});
    EXPECT_EQ(instancesText(session().instances), "o(y)\n");
    runLines({"ignConst", "buildInst"});
    EXPECT_EQ(instancesText(session().instances), "o(x)\no(y)\n");
}

TEST(Grounding, SignatureTexts) {
    freshSession();
    runLines({"type rocket place", "atom rocket r1", "atom place london", "op move(rocket:r, place:from)",
              "instance move r1 london"});
    EXPECT_EQ(signatureText(*model().findOperation("move")), "move(rocket:r, place:from)\n");
    EXPECT_EQ(signatureText(*session().instances[0]), "move(r1,london)\n");
}

}  // namespace
}  // namespace vexmolda
