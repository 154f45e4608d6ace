#include "shell/game_main.h"

int main()
{
    return runGame();
}
