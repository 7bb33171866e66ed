// Feeds arbitrary bytes, line by line, through the tokenizer and the interpreter.
#include <cstddef>
#include <cstdint>
#include <string>

#include "command/Execute.h"
#include "command/Report.h"
#include "command/Session.h"
#include "command/Wipe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vexmolda;
    // One session for the whole run, as one user would type every input.
    static Session session;
    wipe(session);
    session.messages.clear();
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= input.size()) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos) end = input.size();
        TokenList tokens = tokenize(input.substr(start, end - start));
        // Quitting ends a program's input loop, "file" and "validate" read the disk
        // and "save" writes it: none of that is under test.
        const bool skipped = !tokens.empty() && (tokens[0].text == "q" || tokens[0].text == "quit" ||
                                                 tokens[0].text == "exit" || tokens[0].text == "file" ||
                                                 tokens[0].text == "save" || tokens[0].text == "validate");
        if (!skipped) execute(session, std::move(tokens));
        start = end + 1;
    }
    reportText(session);
    return 0;
}
