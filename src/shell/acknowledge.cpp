#include "shell/acknowledge.h"

#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>

void waitForAcknowledgement()
{
    if (isatty(STDIN_FILENO) == 0) {
        return;
    }
    std::cout << "Press any key to continue . . ." << std::endl;

    termios saved{};
    const bool raw = tcgetattr(STDIN_FILENO, &saved) == 0;
    if (raw) {
        termios single = saved;
        single.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        single.c_cc[VMIN] = 1;
        single.c_cc[VTIME] = 0;
        tcsetattr(STDIN_FILENO, TCSANOW, &single);
    }
    char key = 0;
    [[maybe_unused]] const ssize_t count = read(STDIN_FILENO, &key, 1); // 0 at end of file
    if (raw) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    }
}

void reportFatal(const char* text)
{
    std::cout << "ERROR: " << text << std::endl;
    waitForAcknowledgement();
}

void endStartup(const char* lines)
{
    std::cout << lines << std::endl;
    waitForAcknowledgement();
    std::exit(1);
}
