// vexel-host: the runner (vexel-host/) with the window's promises (oracles/) as the watcher
// of --oracles. Neither of the two knows the other; the program puts them together.
#include "runner_program.h"
#include "session_oracles.h"

int main(int argc, char** argv) {
    oracles::session_oracles promises;
    return runner::run_program(argc, argv, VEXEL_DEFAULT_MODULE, promises);
}
