// Writes its arguments, each followed by a NUL byte, to the file named by $ARGV_DUMP_FILE. The file appears
// complete or not at all, so a test can wait for it.
#include <QByteArray>
#include <QFile>

int main(int argc, char** argv)
{
    const QString target = qEnvironmentVariable("ARGV_DUMP_FILE");
    if (target.isEmpty())
        return 2;
    QByteArray dump;
    for (int i = 1; i < argc; ++i)
        dump += QByteArray(argv[i]) + '\0';
    QFile partial(target + QLatin1String(".part"));
    if (!partial.open(QIODevice::WriteOnly) || partial.write(dump) != dump.size())
        return 1;
    partial.close();
    return partial.rename(target) ? 0 : 1;
}
