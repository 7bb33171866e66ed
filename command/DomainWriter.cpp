#include "command/DomainWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <unordered_map>
#include <variant>

#include "command/LoadFile.h"
#include "command/Session.h"
#include "domain/Atom.h"
#include "domain/Constraint.h"
#include "domain/Fact.h"
#include "domain/Operation.h"
#include "domain/State.h"
#include "domain/Type.h"
#include "grounding/Grounding.h"

namespace vexmolda {

namespace {

// The file's lines as they are made; the first line that cannot fit stops it.
class DomainLines {
public:
    void add(const std::string& line) {
        if (!error.empty()) return;
        if (line.size() > maxDomainLineBytes) {
            tooLong(line);
            return;
        }
        lines.push_back(line);
    }
    // prefix name name ...: as many lines as needed, each declaring some names.
    void addList(const std::string& prefix, const std::vector<std::string>& items, const std::string& separator) {
        std::string line = prefix;
        bool empty = true;
        for (const std::string& item : items) {
            const std::size_t extra = (empty ? 1 : separator.size()) + item.size();
            if (!empty && line.size() + extra > maxDomainLineBytes) {
                add(line);
                line = prefix;
                empty = true;
            }
            line += (empty ? " " : separator) + item;
            empty = false;
        }
        if (!empty) add(line);
    }
    void refuse(const std::string& reason) {
        if (error.empty()) error = reason;
    }
    bool failed() const { return !error.empty(); }

    std::vector<std::string> lines;
    std::string error;

private:
    void tooLong(const std::string& line) {
        refuse("line of " + std::to_string(line.size()) + " bytes cannot be split to fit " +
               std::to_string(maxDomainLineBytes + 1) + " bytes: \"" + line.substr(0, 40) + "...\"");
    }
};

// Parameters without blanks: "(cargo:c,place:p)".
std::string parametersText(const std::vector<Atom*>& parameters) {
    std::string text = "(";
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (i > 0) text += ",";
        text += parameters[i]->type->name + ":" + parameters[i]->name;
    }
    return text + ")";
}

// Facts one after another: the closing parenthesis separates them.
std::string factsText(const State& state) {
    std::string text;
    for (const Fact* fact : state) text += factText(*fact);
    return text;
}

// What one declaration line (or list) declares.
using DeclaredItem = std::variant<const Type*, const Atom*, const Predicate*, const Operation*>;

struct Declaration {
    std::uint64_t sequence;
    DeclaredItem item;
};

// The type a run of types (their parent) or of atoms (their type) shares to be one list.
const Type* listGroup(const DeclaredItem& item) {
    if (const auto* type = std::get_if<const Type*>(&item)) return (*type)->parent;
    return std::get<const Atom*>(item)->type;
}

std::string listedName(const DeclaredItem& item) {
    if (const auto* type = std::get_if<const Type*>(&item)) return (*type)->name;
    return std::get<const Atom*>(item)->name;
}

// The head of a list line: "atom TYPE", "derived PARENT" or "type".
std::string listPrefix(const DeclaredItem& item) {
    if (const auto* atom = std::get_if<const Atom*>(&item)) return "atom " + (*atom)->type->name;
    const Type* parent = std::get<const Type*>(item)->parent;
    return parent ? "derived " + parent->name : "type";
}

// Types, atoms, predicates and operations in the order they were made, so
// every set ordered by creation comes out in the same order again.
void declarations(const Model& model, DomainLines& out) {
    std::vector<Declaration> all;
    for (const auto& [name, type] : model.types) {
        if (type.get() != model.anyType) all.push_back({type->sequence, type.get()});
    }
    for (const auto& [name, atom] : model.atoms) all.push_back({atom->sequence, atom.get()});
    for (const auto& [name, predicate] : model.predicates) {
        // Parameters may come in a later "pred" line: the line goes where its types exist.
        const std::uint64_t sequence = predicate->args.empty() ? predicate->sequence : predicate->args.back()->sequence;
        all.push_back({sequence, predicate.get()});
    }
    for (const auto& [name, operation] : model.operations) {
        // An operation stands where its parameters were made; one without any anywhere.
        const std::uint64_t sequence =
            operation->params.empty() ? std::numeric_limits<std::uint64_t>::max() : operation->params[0]->sequence;
        all.push_back({sequence, operation.get()});
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const Declaration& a, const Declaration& b) { return a.sequence < b.sequence; });

    for (std::size_t i = 0; i < all.size();) {
        const DeclaredItem& first = all[i].item;
        if (const auto* predicate = std::get_if<const Predicate*>(&first)) {
            out.add("pred " + (*predicate)->name + parametersText((*predicate)->args));
            ++i;
            continue;
        }
        if (const auto* operation = std::get_if<const Operation*>(&first)) {
            const auto& params = (*operation)->params;
            out.add("op " + (*operation)->name + parametersText(std::vector<Atom*>(params.begin(), params.end())));
            ++i;
            continue;
        }
        std::vector<std::string> names;
        std::size_t end = i;
        for (; end < all.size() && all[end].item.index() == first.index() && listGroup(all[end].item) == listGroup(first);
             ++end) {
            names.push_back(listedName(all[end].item));
        }
        out.addList(listPrefix(first), names, " ");
        i = end;
    }
}

// A name in an operation's line must read back as the same atom or parameter.
void checkReadsBack(const Model& model, DomainLines& out, const Operation& operation, const Atom* name,
                    bool member) {
    const auto* variable = dynamic_cast<const Variable*>(name);
    const bool typeFirst = member && model.findType(name->name);
    // Literals look for an atom first, constraint members for a type, then a parameter.
    bool readsBack;
    if (variable) {
        readsBack = !typeFirst && findVariable(operation, name->name) == variable &&
                    (member || !model.findAtom(name->name));
    } else {
        readsBack = !typeFirst && !(member && findVariable(operation, name->name));
    }
    if (!readsBack) {
        out.refuse("\"" + name->name + "\" in operation \"" + operation.name + "\" would read back as another name");
    }
}

std::string membershipText(const Model& model, DomainLines& out, const Operation& operation,
                           const Constraint& constraint) {
    const auto* item = dynamic_cast<const ConstInOf*>(&constraint);
    if (!item) {
        out.refuse("a constraint of \"" + operation.name + "\" has no command form");
        return {};
    }
    if (findVariable(operation, item->variable->name) != item->variable)
        checkReadsBack(model, out, operation, item->variable, false);
    std::string text = std::string(item->negated ? "~" : "") + "in(" + item->variable->name;
    for (const Atom* atom : item->atoms) {
        checkReadsBack(model, out, operation, atom, true);
        text += " " + atom->name;
    }
    for (const Type* type : item->types) text += " " + type->name;
    return text + ")";
}

std::string constraintLine(const Model& model, DomainLines& out, const Operation& operation,
                           const Constraint& constraint) {
    const auto* implication = dynamic_cast<const CondConst*>(&constraint);
    if (!implication) return "const " + operation.name + " " + membershipText(model, out, operation, constraint);
    std::string line = "condconst " + operation.name + (implication->oneOf ? " one" : " all");
    for (const Constraint* condition : implication->conditions)
        line += " " + membershipText(model, out, operation, *condition);
    line += " =>";
    for (const Constraint* consequence : implication->consequences) {
        line += " " + membershipText(model, out, operation, *consequence);
    }
    return line;
}

// A line that sets a literal set: its head and the set.
struct FactLine {
    std::string head;
    const State* state;
    const Operation* owner;  // null for init and goal
};

std::vector<FactLine> factLines(const Model& model) {
    std::vector<FactLine> lines;
    for (const auto& [name, operation] : model.operations) {
        if (!operation->pre.empty()) lines.push_back({"pre " + name, &operation->pre, operation.get()});
        if (!operation->add.empty()) lines.push_back({"add " + name, &operation->add, operation.get()});
        if (!operation->del.empty()) lines.push_back({"del " + name, &operation->del, operation.get()});
    }
    lines.push_back({"init", &model.initState, nullptr});
    lines.push_back({"goal", &model.goalState, nullptr});
    return lines;
}

// Whether making the facts in the order of the lines gives every set its order.
bool keepsFactOrder(const std::vector<FactLine>& lines) {
    std::unordered_map<const Fact*, std::size_t> madeAt;
    for (const FactLine& line : lines) {
        for (const Fact* fact : *line.state) madeAt.try_emplace(fact, madeAt.size());
    }
    for (const FactLine& line : lines) {
        for (std::size_t i = 1; i < line.state->size(); ++i) {
            if (madeAt[(*line.state)[i - 1]] > madeAt[(*line.state)[i]]) return false;
        }
    }
    return true;
}

bool hasParameter(const Fact& fact) {
    return std::any_of(fact.args.begin(), fact.args.end(),
                       [](const Atom* arg) { return dynamic_cast<const Variable*>(arg) != nullptr; });
}

// Lines that make every fact of the sets in its original order; the real
// sets come later and replace what these set.
void factOrderLines(DomainLines& out, const std::vector<FactLine>& lines) {
    std::vector<std::pair<const Fact*, std::string>> facts;  // fact and the head that can make it
    std::unordered_map<const Fact*, bool> seen;
    for (const FactLine& line : lines) {
        for (const Fact* fact : *line.state) {
            if (!seen.emplace(fact, true).second) continue;
            // A fact with parameters is made in its operation's first set; any other by "init".
            std::string head = "init";
            if (line.owner && hasParameter(*fact)) {
                const Operation& owner = *line.owner;
                head = (!owner.pre.empty() ? "pre " : !owner.add.empty() ? "add " : "del ") + owner.name;
            }
            facts.emplace_back(fact, head);
        }
    }
    std::stable_sort(facts.begin(), facts.end(),
                     [](const auto& a, const auto& b) { return a.first->sequence < b.first->sequence; });
    for (std::size_t i = 0; i < facts.size();) {
        std::vector<std::string> texts;
        std::size_t end = i;
        for (; end < facts.size() && facts[end].second == facts[i].second; ++end) {
            texts.push_back(factText(*facts[end].first));
        }
        out.addList(facts[i].second, texts, "");
        i = end;
    }
}

// One line per constraint, in each operation's order (each line adds one).
void constraintLines(const Model& model, DomainLines& out) {
    for (const auto& [name, operation] : model.operations) {
        for (const Constraint* constraint : operation->constraints)
            out.add(constraintLine(model, out, *operation, *constraint));
    }
}

void literalSets(const Model& model, DomainLines& out) {
    const std::vector<FactLine> lines = factLines(model);
    for (const FactLine& line : lines) {
        if (!line.owner) continue;
        for (const Fact* fact : *line.state) {
            for (const Atom* arg : fact->args) checkReadsBack(model, out, *line.owner, arg, false);
        }
    }
    if (!keepsFactOrder(lines)) factOrderLines(out, lines);
    for (const bool operationSets : {true, false}) {
        for (const FactLine& line : lines) {
            if ((line.owner != nullptr) != operationSets) continue;
            const std::string facts = factsText(*line.state);
            out.add(facts.empty() ? line.head : line.head + " " + facts);
        }
        // Constraints after the operations' sets, before init and goal.
        if (operationSets) constraintLines(model, out);
    }
}

std::string onOff(bool value) { return value ? " on" : " off"; }

void switchLines(DomainLines& out, const GroundingOptions& grounding) {
    out.add("noDups" + onOff(grounding.noDups));
    out.add("ignConst" + onOff(grounding.ignConst));
    out.add("filterReds" + onOff(grounding.filterReds));
}

void switchLines(const Session& session, DomainLines& out) {
    switchLines(out, session.groundingOptions());
    out.add("log" + onOff(session.logging()));
    out.add("showInst" + onOff(session.switches.showInst));
}

// Whether some operation has two parameters that one atom fits: only then
// can "noDups" refuse a binding.
bool parametersCanShareAnAtom(const Model& model) {
    for (const auto& [name, operation] : model.operations) {
        const auto& params = operation->params;
        for (std::size_t i = 0; i < params.size(); ++i) {
            for (std::size_t j = i + 1; j < params.size(); ++j) {
                for (const auto& [atomName, atom] : model.atoms) {
                    if (model.fits(*atom, params[i]->type) && model.fits(*atom, params[j]->type)) return true;
                }
            }
        }
    }
    return false;
}

bool hasConstraints(const Model& model) {
    return std::any_of(model.operations.begin(), model.operations.end(),
                       [](const auto& entry) { return !entry.second->constraints.empty(); });
}

// Whether full builds under the two settings make the same list from this
// model: they differ only in switches that refuse none of its bindings.
bool sameBuild(const Model& model, const GroundingOptions& a, const GroundingOptions& b) {
    if (a.filterReds != b.filterReds) return false;
    if (a.ignConst != b.ignConst && hasConstraints(model)) return false;
    return a.noDups == b.noDups || !parametersCanShareAnAtom(model);
}

// How many leading instances a full build under the switches makes, in
// order: told by the record of the build the list began with where it can,
// else found by grounding the model again.
std::size_t fullBuildPrefix(Session& session, const GroundingOptions& switches) {
    const std::optional<InstancesBuild>& build = session.instancesBuild;
    if (build && sameBuild(session.model, build->switches, switches)) {
        assert(build->count <= session.instances.size());
        return build->count;
    }
    // Only the bindings are asked for: the list stays empty, no message is kept.
    InstanceList unused;
    TextBuffer silent{false};
    const auto bindings = Grounder(session.model, unused, switches, silent).fullBuildBindings();
    const InstanceList& instances = session.instances;
    if (bindings.size() > instances.size()) return 0;
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        const bool same = bindings[i].first->name == instances[i]->name() &&
                          std::ranges::equal(bindings[i].second, instances[i]->args());
        if (!same) return 0;
    }
    return bindings.size();
}

// The switches under which "buildInst" makes the first instances, and how
// many: the switches now when it makes all of them, else the first setting
// (those now, then the others) whose build leaves only instances an
// "instance" line can make. None: zero.
std::pair<GroundingOptions, std::size_t> buildablePrefix(Session& session) {
    const InstanceList& instances = session.instances;
    const GroundingOptions now = session.groundingOptions();
    std::vector<GroundingOptions> settings = {now};
    for (int bits = 0; bits < 8; ++bits) {
        const GroundingOptions setting{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
        if (setting != now) settings.push_back(setting);
    }
    for (const GroundingOptions& setting : settings) {
        const std::size_t prefix = fullBuildPrefix(session, setting);
        if (setting == now && prefix == instances.size()) return {now, prefix};
        if (prefix == 0) continue;
        bool restWritable = true;
        for (std::size_t i = prefix; i < instances.size(); ++i)
            restWritable = restWritable && !instances[i]->args().empty();
        if (restWritable) return {setting, prefix};
    }
    return {now, 0};
}

// The switches, then the instances: "buildInst" for as many as it makes, one
// "instance" line for each of the rest.
void instanceLines(Session& session, DomainLines& out) {
    const InstanceList& instances = session.instances;
    const auto [setting, built] =
        instances.size() == 0 ? std::pair{session.groundingOptions(), std::size_t{0}} : buildablePrefix(session);
    if (built == instances.size() && setting == session.groundingOptions()) {
        switchLines(session, out);
        if (built > 0) out.add("buildInst");
        return;
    }
    if (built > 0) {
        switchLines(out, setting);
        out.add("buildInst");
    }
    // Every further instance back as it is: no switch may refuse or merge one.
    if (built < instances.size()) switchLines(out, {false, true, false});
    for (std::size_t i = built; i < instances.size(); ++i) {
        const OperationInstance& instance = *instances[i];
        if (instance.args().empty()) {
            out.refuse("instance " + instance.name() + "() has no \"instance\" line");
            return;
        }
        std::string line = "instance " + instance.name();
        for (const Atom* arg : instance.args()) line += " " + arg->name;
        out.add(line);
    }
    switchLines(session, out);
}

// A new file beside the path under a name no other file has, opened for
// writing; open(2) gives it the mode the process gives new files. -1 with errno set.
int createTemporaryBeside(const std::string& path, std::string& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = path + "." + std::to_string(getpid()) + "." + std::to_string(attempt);
        const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST) return descriptor;
    }
    return -1;
}

std::string writeError(int error) { return std::string("cannot be written: ") + std::strerror(error); }

}  // namespace

bool domainFileText(Session& session, const std::vector<std::string>& comments, std::string& text,
                    std::string& error) {
    DomainLines out;
    for (const std::string& comment : comments) {
        // Cut to fit: the rest of a cut comment would run as a command.
        out.add(("# " + comment).substr(0, maxDomainLineBytes));
    }
    declarations(session.model, out);
    literalSets(session.model, out);
    instanceLines(session, out);
    if (out.failed()) {
        error = out.error;
        return false;
    }
    text.clear();
    for (const std::string& line : out.lines) text += line + "\n";
    return true;
}

bool writeDomainFile(Session& session, const std::string& path, const std::vector<std::string>& comments,
                     std::string& error) {
    std::string text;
    if (!domainFileText(session, comments, text, error)) return false;
    std::string temporary;
    const int descriptor = createTemporaryBeside(path, temporary);
    if (descriptor < 0) {
        error = writeError(errno);
        return false;
    }
    int failure = 0;
    for (std::size_t done = 0; failure == 0 && done < text.size();) {
        const ssize_t count = ::write(descriptor, text.data() + done, text.size() - done);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) failure = count < 0 ? errno : EIO;
        if (count > 0) done += static_cast<std::size_t>(count);
    }
    if (::close(descriptor) != 0 && failure == 0) failure = errno;
    if (failure == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) failure = errno;
    if (failure != 0) {
        std::remove(temporary.c_str());
        error = writeError(failure);
        return false;
    }
    return true;
}

void saveDomain(Session& session, const std::string& name) {
    const std::string path = domainFileName(name);
    std::string error;
    if (writeDomainFile(session, path, {}, error)) {
        session.messages.append("Saved \"" + path + "\"\n");
    } else {
        session.messages.append("File \"" + path + "\" not written: " + error + "\n");
    }
}

}  // namespace vexmolda
