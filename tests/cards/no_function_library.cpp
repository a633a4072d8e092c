// A shared object named Cards.dll that lacks the picture function.
extern "C" __attribute__((visibility("default"))) int SomethingElse(int n) {
  return n + 1;
}
