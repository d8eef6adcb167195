#pragma once
// The program: one copy at a time, the main form, the message loop. It runs on the platform in
// force (the native one from main.cpp, a headless one in the tests) and returns the exit code.
int Quenfor();
