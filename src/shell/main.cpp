#include "shell/application.h"

int main(int argc, char** argv) {
  tarlyk::Application application(argc, argv);
  return application.exec();
}
