#include "runtime/application.h"
#include "shell/entry_routine.h"

int main(int argc, char** argv)
{
    return runtime::application_start(argc, argv, shell::entry_routine);
}
