// A program built for a newer processor than the Pentium Pro (its floating
// point in SSE2 registers), to show that the instruction audit refuses it.
int main(int argc, char**) {
    volatile double x = argc;
    return static_cast<int>(x * 2.5);
}
