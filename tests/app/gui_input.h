#include "common/gui_input.h" // moved; forwards for the tests not yet converted
