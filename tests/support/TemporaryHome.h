#pragma once

// Runs every test with a fresh, empty HOME so nothing reads or writes the
// real home folder, and removes it afterwards.
int runAllTests();
