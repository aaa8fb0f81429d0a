#include "app/Application.h"

int main(int argc, char** argv)
{
    lt::Application app(argc, argv);
    return 0;
}
