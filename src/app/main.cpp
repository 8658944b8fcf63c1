#include "app/KRV.h"

int main(int argc, char** argv)
{
    return KRV_main(argc, argv);
}
