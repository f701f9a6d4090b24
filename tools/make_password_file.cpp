// Lays down the password file of a fresh installation, holding the first-access password.

#include "app/PasswordStore.h"

#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_password_file <output path>\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (!rf::PasswordStore(path).write(QStringLiteral("primaveraverde"))) {
        std::fprintf(stderr, "make_password_file: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
