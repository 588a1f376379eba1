#include "KeyraCli.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    try
    {
        KeyraCli cli;
        return cli.run(argc, argv);
    }
    catch (const std::exception& e)
    {
        std::cerr << "keyra: " << e.what() << '\n';
        return 1;
    }
}
