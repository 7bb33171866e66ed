#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "domain/State.h"
#include "grounding/Grounding.h"
#include "grounding/InstanceText.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::runLines;
using testing::session;

// Every instance with its sets, in list order, then every fact in pool order.
std::string everything() {
    std::string text;
    for (const auto& instance : session().instances) {
        text += signatureText(*instance) + " pre " + stateText(instance->pre()) + " add " + stateText(instance->add()) +
                " del " + stateText(instance->del());
    }
    for (std::size_t id = 0; id < session().model.facts.size(); ++id) text += factText(*session().model.facts[id]) + "\n";
    return text;
}

// The literal full build: instantiate for each tuple of the odometer.
void literalBuild() {
    Model& model = session().model;
    Grounder grounder(model, session().instances, session().groundingOptions(), session().messages);
    session().instances.clear();
    for (const auto& [name, operation] : model.operations) {
        std::vector<std::vector<Atom*>> candidates;
        for (const Variable* parameter : operation->params) {
            candidates.emplace_back();
            for (const auto& [atomName, atom] : model.atoms) {
                if (model.fits(*atom, parameter->type)) candidates.back().push_back(atom.get());
            }
        }
        std::vector<Atom*> tuple(candidates.size());
        std::vector<std::size_t> wheel(candidates.size(), 0);
        bool more = std::all_of(candidates.begin(), candidates.end(), [](const auto& c) { return !c.empty(); });
        while (more) {
            for (std::size_t i = 0; i < tuple.size(); ++i) tuple[i] = candidates[i][wheel[i]];
            grounder.instantiate(name, tuple);
            more = false;
            for (std::size_t position = tuple.size(); position > 0 && !more;) {
                --position;
                more = ++wheel[position] < candidates[position].size();
                if (!more) wheel[position] = 0;
            }
        }
    }
}

// Many bindings over subtypes, constraints, repeated and symmetric literals,
// and facts refused for their argument type: the full build gives the very
// instances, facts and messages of the literal build, whatever the switches.
TEST(Grounding, FullBuildMatchesTheLiteralBuildOnManyBindings) {
    const std::vector<std::string> domain{
        "type place",
        "derived place city",
        "type thing",
        "atom city c1 c2 c3",
        "atom place p1 p2 p3 p4",
        "atom thing t1 t2 t3 t4 t5",
        "pred at(thing:x, place:y)",
        "pred road(place:a, place:b)",
        "pred home(city:a)",
        "pred near(place:a, place:b)",
        "pred busy()",
        "op move(thing:x, place:from, place:to, place:via)",
        "pre move at(x,from) road(from,via) road(via,to) home(via)",
        "add move at(x,to) near(to,from) busy()",
        "del move at(x,from)",
        "op swap(thing:x, thing:y, any:a, place:b)",
        "pre swap at(x,b) at(y,b) near(b,b)",
        "add swap at(y,b) at(x,b)",
        "op join(place:a, place:b, place:c)",
        "add join road(a,b) road(b,a) road(c,c)",
        "const join ~eq(a c1)",
        "op rest()",
        "add rest busy()",
        "init at(t1,p1) road(p1,c1)",
        "goal at(t1,c3)",
    };
    int built = 0;
    for (const char* switches : {"", "noDups", "filterReds", "ignConst", "noDups filterReds ignConst"}) {
        SCOPED_TRACE(switches);
        std::vector<std::string> lines = domain;
        std::string words = switches;
        for (std::size_t start = 0; start < words.size();) {
            const std::size_t end = std::min(words.find(' ', start), words.size());
            lines.push_back(words.substr(start, end - start));
            start = end + 1;
        }
        freshSession();
        runLines(lines);
        session().messages.clear();
        literalBuild();
        const std::string expected = everything();
        const std::string expectedMessages = testing::messageText();

        freshSession();
        runLines(lines);
        session().messages.clear();
        runLines({"buildInst"});
        EXPECT_EQ(everything(), expected);
        EXPECT_EQ(testing::messageText(), expectedMessages);
        EXPECT_NE(expectedMessages.find("Type mismatch, c1 is type city, but place expected"), std::string::npos);
        built += static_cast<int>(session().instances.size());
        // A second build gives the same again, with the pool already filled.
        runLines({"buildInst"});
        EXPECT_EQ(everything(), expected);
    }
    EXPECT_GT(built, 1000);
}

}  // namespace
}  // namespace vexmolda
