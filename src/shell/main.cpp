#include "shell/application.h"
#include "shell/qt_platform.h"

int main(int argc, char** argv) {
  tarlyk::PlatformArguments arguments(argc, argv,
                                      tarlyk::ChooseQtPlatform(tarlyk::ProcessEnvironment));
  tarlyk::Application application(arguments.argc(), arguments.argv());
  return application.exec();
}
