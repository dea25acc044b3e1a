#include "main/EntryPoint.h"

int main(int argc, char** argv)
{
    return RunTessary(argc, argv);
}
