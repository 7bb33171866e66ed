#include <gtest/gtest.h>

#include "domain/Atom.h"
#include "domain/Fact.h"
#include "domain/Model.h"
#include "domain/Operation.h"
#include "domain/State.h"
#include "domain/Type.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::messageText;
using testing::runLines;
using testing::session;

Model& model() { return session().model; }

std::string printed(const Type& type) {
    std::string text;
    type.print(text);
    return text;
}

TEST(Types, DuplicatesKeepTheFirstDeclaration) {
    freshSession();
    runLines({"type A C", "type B B", "derived A B", "derived C B"});
    EXPECT_EQ(messageText(), "B already exists\nB already exists\nB already exists\n");
    EXPECT_EQ(model().findType("B")->parent, nullptr);

    freshSession();
    runLines({"type A C", "derived A B", "derived C B"});
    EXPECT_EQ(model().findType("B")->parent, model().findType("A"));
    EXPECT_EQ(messageText(), "B already exists\n");
}

TEST(Types, NoTypeDerivesFromItself) {
    freshSession();
    runLines({"derived X X", "type Y", "derived Y Y"});
    EXPECT_EQ(messageText(), "Type \"X\" unknown\nY already exists\n");
    EXPECT_EQ(model().findType("X"), nullptr);
}

TEST(Types, AnyIsRecreatedByEveryWipe) {
    freshSession();
    Type* first = model().anyType;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(model().findType("any"), first);
    runLines({"type any"});
    EXPECT_EQ(messageText(), "any already exists\n");
    runLines({"wipe"});
    EXPECT_EQ(model().findType("any"), model().anyType);
    EXPECT_EQ(model().types.size(), 1u);
}

TEST(Types, ParentChainsPrintChildFirst) {
    freshSession();
    runLines({"type A", "derived A B", "derived B C", "atom C r1"});
    EXPECT_EQ(printed(*model().findType("C")), "C->B->A");
    std::string atom;
    model().findAtom("r1")->print(atom);
    EXPECT_EQ(atom, "C->B->A:r1");
}

TEST(Types, FitsWalksOnlyUpwardFromTheAtom) {
    freshSession();
    runLines({"type A", "derived A B", "derived B C", "atom B b1"});
    const Atom& b1 = *model().findAtom("b1");
    EXPECT_TRUE(model().fits(b1, model().findType("B")));
    EXPECT_TRUE(model().fits(b1, model().findType("A")));
    EXPECT_FALSE(model().fits(b1, model().findType("C")));
    EXPECT_TRUE(model().fits(b1, model().anyType));
}

TEST(Registries, IterateInByteOrder) {
    freshSession();
    runLines({"type b a B _ \xc3\xa9 A"});
    std::string order;
    for (const auto& [name, type] : model().types) order += name + " ";
    EXPECT_EQ(order, "A B _ a any b \xc3\xa9 ");
}

TEST(Atoms, AnyTypeAtomsAreIgnoredAndFirstTypeKept) {
    freshSession();
    runLines({"type t u", "atom any x", "atom t y", "atom u y"});
    EXPECT_EQ(model().findAtom("x"), nullptr);
    EXPECT_EQ(model().findAtom("y")->type, model().findType("t"));
    EXPECT_EQ(messageText(), "y already exists\n");
}

TEST(Facts, ExactTypesOnlyUnlessTheParameterIsAny) {
    freshSession();
    runLines({"type B", "derived B C", "atom C r1", "pred p(B:x)", "pred q(any:x)", "init p(r1) q(r1)"});
    EXPECT_EQ(messageText(), "Type mismatch, r1 is type C, but B expected\n");
    EXPECT_EQ(stateText(model().initState), "q(r1)\n");
}

TEST(Facts, InterningGivesOneObjectPerNameAndArguments) {
    freshSession();
    runLines({"type t", "atom t a b", "pred p(t:x, t:y)"});
    Atom* a = model().findAtom("a");
    Atom* b = model().findAtom("b");
    Fact* ab = model().makeFact("p", {a, b}, session().messages);
    EXPECT_EQ(model().makeFact("p", {a, b}, session().messages), ab);
    EXPECT_NE(model().makeFact("p", {b, a}, session().messages), ab);
    EXPECT_EQ(model().facts.size(), 2u);
    EXPECT_EQ(factText(*ab), "p(a,b)");
    EXPECT_EQ(factText(*model().findPredicate("p")), "p(t:x, t:y)");
}

TEST(Facts, CheckMessagesInOrder) {
    freshSession();
    runLines({"type t", "atom t a", "pred p(t:x)", "init nope(a) p(a a) p(zz) p(a)"});
    EXPECT_EQ(messageText(),
              "Predicate \"nope\" doesn't exist\nWrong number of parameters\nWrong number of parameters\n");
    EXPECT_EQ(stateText(model().initState), "p(a)\n");
}

TEST(FactLists, InitReplacesAndDuplicatesCollapse) {
    freshSession();
    runLines({"type t", "atom t a b", "pred p(t:x)", "init p(a) p(b)", "init p(b) p(b) ~p(a)"});
    EXPECT_EQ(model().initState.size(), 2u);
    EXPECT_EQ(messageText(), "");
    runLines({"init"});
    EXPECT_TRUE(model().initState.empty());
}

TEST(FactLists, ArgumentsWithoutParenthesesAreLiteralsOfTheirOwn) {
    freshSession();
    runLines({"type t", "atom t a", "pred p(t:x)", "init p a"});
    EXPECT_EQ(messageText(), "Wrong number of parameters\nPredicate \"a\" doesn't exist\n");
}

TEST(FactLists, StatesKeepCreationOrderAndPrintWithCommas) {
    freshSession();
    runLines({"type t", "atom t a b", "pred p(t:x)", "init p(b)", "init p(a) p(b)"});
    EXPECT_EQ(stateText(model().initState), "p(b), p(a)\n");
    EXPECT_EQ(stateText(model().goalState), "\n");
}

TEST(FactLists, OperationLiteralsPreferAtomsOverParameters) {
    freshSession();
    runLines({"type t", "atom t x", "pred p(t:v)", "op o(t:x, t:y)", "pre o p(x) p(y) p(nobody)"});
    const auto* operation = model().operations.find("o");
    ASSERT_NE(operation, nullptr);
    ASSERT_EQ(operation->pre.size(), 2u);
    EXPECT_EQ(operation->pre[0]->args[0], model().findAtom("x"));
    EXPECT_EQ(operation->pre[1]->args[0], operation->params[1]);
    EXPECT_EQ(messageText(), "Wrong number of parameters\n");
}

}  // namespace
}  // namespace vexmolda
