#include "app/game_main.h"

int main()
{
    return runGame();
}
