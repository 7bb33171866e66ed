#include "support/SwitchesTask.h"

namespace vexmolda::testing {

std::string switchesTask(int switches, const std::string& goal) {
    std::string atoms;
    std::string init;
    for (int i = 1; i <= switches; ++i) {
        atoms += " s" + std::to_string(i);
        init += " off(s" + std::to_string(i) + ")";
    }
    return "type t\natom t" + atoms +
           "\npred on(t:x)\npred off(t:x)\npred done()\n"
           "op flip(t:x)\npre flip off(x)\nadd flip on(x)\ndel flip off(x)\n"
           "op flop(t:x)\npre flop on(x)\nadd flop off(x)\ndel flop on(x)\n"
           "init" + init + "\ngoal " + goal + "\nbuildInst\n";
}

}  // namespace vexmolda::testing
