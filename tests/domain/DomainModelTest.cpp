#include <gtest/gtest.h>

#include "command/TextBuffer.h"
#include "domain/Atom.h"
#include "domain/Fact.h"
#include "domain/Operation.h"
#include "domain/State.h"
#include "domain/Type.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::messageText;
using testing::runLines;

std::string printed(const Type& type) {
    std::string text;
    type.print(text);
    return text;
}

TEST(Types, DuplicatesKeepTheFirstDeclaration) {
    freshSession();
    runLines({"type A C", "type B B", "derived A B", "derived C B"});
    EXPECT_EQ(messageText(), "B already exists\nB already exists\nB already exists\n");
    EXPECT_EQ(findType("B")->parent, nullptr);

    freshSession();
    runLines({"type A C", "derived A B", "derived C B"});
    EXPECT_EQ(findType("B")->parent, findType("A"));
    EXPECT_EQ(messageText(), "B already exists\n");
}

TEST(Types, NoTypeDerivesFromItself) {
    freshSession();
    runLines({"derived X X", "type Y", "derived Y Y"});
    EXPECT_EQ(messageText(), "Type \"X\" unknown\nY already exists\n");
    EXPECT_EQ(findType("X"), nullptr);
}

TEST(Types, AnyIsRecreatedByEveryWipe) {
    freshSession();
    Type* first = anyType;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(findType("any"), first);
    runLines({"type any"});
    EXPECT_EQ(messageText(), "any already exists\n");
    runLines({"wipe"});
    EXPECT_EQ(findType("any"), anyType);
    EXPECT_EQ(Type::registry().size(), 1u);
}

TEST(Types, ParentChainsPrintChildFirst) {
    freshSession();
    runLines({"type A", "derived A B", "derived B C", "atom C r1"});
    EXPECT_EQ(printed(*findType("C")), "C->B->A");
    std::string atom;
    findAtom("r1")->print(atom);
    EXPECT_EQ(atom, "C->B->A:r1");
}

TEST(Types, FitsWalksOnlyUpwardFromTheAtom) {
    freshSession();
    runLines({"type A", "derived A B", "derived B C", "atom B b1"});
    const Atom& b1 = *findAtom("b1");
    EXPECT_TRUE(fits(b1, findType("B")));
    EXPECT_TRUE(fits(b1, findType("A")));
    EXPECT_FALSE(fits(b1, findType("C")));
    EXPECT_TRUE(fits(b1, anyType));
}

TEST(Registries, IterateInByteOrder) {
    freshSession();
    runLines({"type b a B _ \xc3\xa9 A"});
    std::string order;
    for (const auto& [name, type] : Type::registry()) order += name + " ";
    EXPECT_EQ(order, "A B _ a any b \xc3\xa9 ");
}

TEST(Atoms, AnyTypeAtomsAreIgnoredAndFirstTypeKept) {
    freshSession();
    runLines({"type t u", "atom any x", "atom t y", "atom u y"});
    EXPECT_EQ(findAtom("x"), nullptr);
    EXPECT_EQ(findAtom("y")->type, findType("t"));
    EXPECT_EQ(messageText(), "y already exists\n");
}

TEST(Facts, ExactTypesOnlyUnlessTheParameterIsAny) {
    freshSession();
    runLines({"type B", "derived B C", "atom C r1", "pred p(B:x)", "pred q(any:x)", "init p(r1) q(r1)"});
    EXPECT_EQ(messageText(), "Type mismatch, r1 is type C, but B expected\n");
    EXPECT_EQ(stateText(initState), "q(r1)\n");
}

TEST(Facts, InterningGivesOneObjectPerNameAndArguments) {
    freshSession();
    runLines({"type t", "atom t a b", "pred p(t:x, t:y)"});
    Atom* a = findAtom("a");
    Atom* b = findAtom("b");
    Fact* ab = makeFact("p", {a, b});
    EXPECT_EQ(makeFact("p", {a, b}), ab);
    EXPECT_NE(makeFact("p", {b, a}), ab);
    EXPECT_EQ(factPool.size(), 2u);
    EXPECT_EQ(factText(*ab), "p(a,b)");
    EXPECT_EQ(factText(*findPredicate("p")), "p(t:x, t:y)");
}

TEST(Facts, CheckMessagesInOrder) {
    freshSession();
    runLines({"type t", "atom t a", "pred p(t:x)", "init nope(a) p(a a) p(zz) p(a)"});
    EXPECT_EQ(messageText(),
              "Predicate \"nope\" doesn't exist\nWrong number of parameters\nWrong number of parameters\n");
    EXPECT_EQ(stateText(initState), "p(a)\n");
}

TEST(FactLists, InitReplacesAndDuplicatesCollapse) {
    freshSession();
    runLines({"type t", "atom t a b", "pred p(t:x)", "init p(a) p(b)", "init p(b) p(b) ~p(a)"});
    EXPECT_EQ(initState.size(), 2u);
    EXPECT_EQ(messageText(), "");
    runLines({"init"});
    EXPECT_TRUE(initState.empty());
}

TEST(FactLists, ArgumentsWithoutParenthesesAreLiteralsOfTheirOwn) {
    freshSession();
    runLines({"type t", "atom t a", "pred p(t:x)", "init p a"});
    EXPECT_EQ(messageText(), "Wrong number of parameters\nPredicate \"a\" doesn't exist\n");
}

TEST(FactLists, StatesKeepCreationOrderAndPrintWithCommas) {
    freshSession();
    runLines({"type t", "atom t a b", "pred p(t:x)", "init p(b)", "init p(a) p(b)"});
    EXPECT_EQ(stateText(initState), "p(b), p(a)\n");
    EXPECT_EQ(stateText(goalState), "\n");
}

TEST(FactLists, OperationLiteralsPreferAtomsOverParameters) {
    freshSession();
    runLines({"type t", "atom t x", "pred p(t:v)", "op o(t:x, t:y)", "pre o p(x) p(y) p(nobody)"});
    const auto* operation = operations.find("o");
    ASSERT_NE(operation, nullptr);
    ASSERT_EQ(operation->pre.size(), 2u);
    EXPECT_EQ(operation->pre[0]->args[0], findAtom("x"));
    EXPECT_EQ(operation->pre[1]->args[0], operation->params[1]);
    EXPECT_EQ(messageText(), "Wrong number of parameters\n");
}

}  // namespace
}  // namespace vexmolda
