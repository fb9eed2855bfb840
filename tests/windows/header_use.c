/* A caller of the engine that includes itovek.h. The Windows checks compile
   it, as C and as C++, for Linux and for both Windows flavours. */
#include "itovek.h"

static ITOVEK_ENTRY entry = ITOVEK;

int main(void)
{
    return (int)entry(0, 0);
}
