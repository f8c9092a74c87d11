#include "ChildRole.h"

#include <QHash>

#include <cstdio>

namespace {

const QString prefix = QStringLiteral("--child-role=");

QHash<QString, std::function<void()>>& roles()
{
    static QHash<QString, std::function<void()>> registered;
    return registered;
}

} // namespace

ChildRole::ChildRole(const QString& name, std::function<void()> body)
{
    Q_ASSERT(!roles().contains(name));
    roles().insert(name, std::move(body));
}

QString ChildRole::argument(const QString& name)
{
    return prefix + name;
}

std::optional<int> ChildRole::runRequested(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (!arg.startsWith(prefix))
            continue;
        const auto role = roles().constFind(arg.mid(prefix.size()));
        if (role == roles().cend()) {
            std::fprintf(stderr, "no child role %s here\n", argv[i] + prefix.size());
            return 2;
        }
        (*role)();
        return 0;
    }
    return std::nullopt;
}
