#pragma once
// Writing the domain in memory as a domain file that loads back to the same report.

#include <string>
#include <vector>

namespace vexmolda {

class Session;

// Longest line of a domain file, without its newline, that the reader takes whole.
constexpr std::size_t maxDomainLineBytes = 253;

// The lines that recreate the session's model: declarations in creation order (lists
// split to fit), the literal sets without blanks between facts, constraints,
// init and goal, every switch in its explicit form, and "buildInst" or one
// "instance" line per instance. False with the reason when a line cannot fit.
bool domainFileText(Session& session, const std::vector<std::string>& comments, std::string& text,
                    std::string& error);

// Writes domainFileText to the path through a temporary file in the same
// directory, so the path holds the whole file or is left as it was.
bool writeDomainFile(Session& session, const std::string& path, const std::vector<std::string>& comments,
                     std::string& error);

// The "save" command: ".pln" appended as "file" appends it; one message.
void saveDomain(Session& session, const std::string& name);

}  // namespace vexmolda
