// Compiles the tests' shared precompiled header.
