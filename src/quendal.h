// The whole run of quendal behind the entry function, so that a harness can call it in-process.
#pragma once

// Walks the file named by argv[1] and prints its report; returns the run's code (1, 0, -1, -2 or
// -3), which main() hands on as the exit status.
int quendal_main(int argc, char** argv);
