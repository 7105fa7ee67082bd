// Build-time tool: creates a password-protected database file from SQL scripts.
// Usage: mkdb OUTPUT SCRIPT...
// The file is built under a temporary name and renamed when complete, so an
// interrupted build never leaves a half-filled file behind.
#include "storage/database.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: mkdb OUTPUT SCRIPT...\n");
        return 2;
    }
    const QString output = args[1];
    const QString partial = output + QStringLiteral(".part");
    QFile::remove(partial);

    {
        auto db = dovra::Database::open(partial, dovra::Database::OpenMode::Create);
        if (!db) {
            std::fprintf(stderr, "mkdb: cannot create %s\n", qPrintable(partial));
            return 1;
        }
        dovra::Transaction transaction(*db);
        for (qsizetype i = 2; i < args.size(); ++i) {
            QFile script(args[i]);
            if (!script.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "mkdb: cannot read %s\n", qPrintable(args[i]));
                return 1;
            }
            if (!db->execScript(QString::fromUtf8(script.readAll()))) {
                std::fprintf(stderr, "mkdb: %s: %s\n", qPrintable(args[i]), qPrintable(db->lastError()));
                return 1;
            }
        }
        if (!transaction.commit()) {
            std::fprintf(stderr, "mkdb: %s\n", qPrintable(db->lastError()));
            return 1;
        }
    }
    QFile::remove(output);
    if (!QFile::rename(partial, output)) {
        std::fprintf(stderr, "mkdb: cannot rename %s\n", qPrintable(partial));
        return 1;
    }
    return 0;
}
