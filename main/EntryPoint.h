#pragma once

// Runs the updater: single instance, clean-up, configuration, logging, then the wizard or a full
// script. Always returns 0.
int RunTessary(int argc, char** argv);
