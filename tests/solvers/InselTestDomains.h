#pragma once
// Small domains, in the command language, that pin the island solvers' rules.

#include <string>
#include <vector>

namespace vexmolda::testing {

// Goal g0; s_k adds g_k and needs g_(k+1); s_last needs nothing. The last
// instance is worked on at depth last + 1.
inline std::vector<std::string> chainDomain(int last) {
    std::vector<std::string> lines;
    for (int k = 0; k <= last + 1; ++k) lines.push_back("pred g" + std::to_string(k) + "()");
    for (int k = 0; k <= last; ++k) {
        const std::string op = "s" + std::to_string(k);
        lines.push_back("op " + op + "()");
        if (k < last) lines.push_back("pre " + op + " g" + std::to_string(k + 1) + "()");
        lines.push_back("add " + op + " g" + std::to_string(k) + "()");
    }
    lines.insert(lines.end(), {"init", "goal g0()", "buildInst"});
    return lines;
}

// Goal x and y; X adds x and deletes y, Y needs x, adds y and deletes x:
// each undoes the other, for ever.
inline std::vector<std::string> undoingPairDomain() {
    return {"pred x()", "pred y()", "op X()", "add X x()", "del X y()", "op Y()", "pre Y x()",
            "add Y y()", "del Y x()", "init", "goal x() y()", "buildInst"};
}

// Goal p; the only adder of p needs q, the only adder of q needs p.
inline std::vector<std::string> preconditionCycleDomain() {
    return {"pred p()", "pred q()", "op makeP()", "pre makeP q()", "add makeP p()", "op makeQ()",
            "pre makeQ p()", "add makeQ q()", "init", "goal p()", "buildInst"};
}

// Goal g; the first adder needs u, which nothing adds; the second needs nothing.
inline std::vector<std::string> unreachableFirstAdderDomain() {
    return {"pred g()", "pred u()", "op blocked()", "pre blocked u()", "add blocked g()", "op direct()",
            "add direct g()", "init", "goal g()", "buildInst"};
}

// Goal g1 and g2; both() adds both but needs u, which nothing adds; one()
// adds g1 and two() adds g2, needing nothing.
inline std::vector<std::string> doubleAdderDomain() {
    return {"pred g1()", "pred g2()", "pred u()", "op both()", "pre both u()", "add both g1() g2()",
            "op one()", "add one g1()", "op two()", "add two g2()", "init", "goal g1() g2()", "buildInst"};
}

// Goal g; attempt() adds g but needs a and z: side() adds a, nothing adds z.
// So the first attempt applies side() and then fails; finish() adds g alone.
inline std::vector<std::string> failedAttemptDomain() {
    return {"pred g()", "pred a()", "pred z()", "op attempt()", "pre attempt a() z()", "add attempt g()",
            "op finish()", "add finish g()", "op side()", "add side a()", "init", "goal g()", "buildInst"};
}

// Goal x and y; A adds x, B needs x, adds y and deletes x: the plan A, B, A
// uses A twice.
inline std::vector<std::string> reuseDomain() {
    return {"pred x()", "pred y()", "op A()", "add A x()", "op B()", "pre B x()", "add B y()", "del B x()",
            "init", "goal x() y()", "buildInst"};
}

// How often the text holds the pattern.
inline std::size_t occurrences(const std::string& text, const std::string& pattern) {
    std::size_t count = 0;
    for (auto at = text.find(pattern); at != std::string::npos; at = text.find(pattern, at + pattern.size())) ++count;
    return count;
}

}  // namespace vexmolda::testing
