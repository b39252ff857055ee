#include "viewer/window/CommandActions.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>

namespace sorkam {

namespace {

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString translated(std::string_view text) {
    return QCoreApplication::translate("ViewerWindow", fromView(text).toUtf8().constData());
}

QList<QKeySequence> keysOf(const Command& command) {
    const auto standard = [&]() -> QList<QKeySequence> {
        switch (command.standardKeys) {
        case StandardKeys::Open:
            return QKeySequence::keyBindings(QKeySequence::Open);
        case StandardKeys::Close:
            return QKeySequence::keyBindings(QKeySequence::Close);
        case StandardKeys::Quit:
            return QKeySequence::keyBindings(QKeySequence::Quit);
        case StandardKeys::None:
            break;
        }
        return {};
    }();
    if (!standard.isEmpty()) {
        return standard;
    }
    // Where the platform names no keys of its own, the table's: one key sequence each.
    QList<QKeySequence> keys;
    for (const QString& key : fromView(command.keys).split(QStringLiteral(", "))) {
        keys.append(QKeySequence::fromString(key, QKeySequence::PortableText));
    }
    return keys;
}

} // namespace

QAction* commandAction(const Command& command, QObject* owner, std::function<void()> trigger) {
    auto* action = new QAction(translated(command.text), owner);
    action->setObjectName(fromView(command.name));
    action->setShortcuts(keysOf(command));
    action->setShortcutContext(Qt::WindowShortcut);
    action->setCheckable(command.checkable);
    QStringList keys;
    for (const QKeySequence& key : action->shortcuts()) {
        keys.append(key.toString(QKeySequence::NativeText));
    }
    action->setToolTip(translated(command.tooltip) + QStringLiteral(" (") +
                       keys.join(QStringLiteral(", ")) + QLatin1Char(')'));
    QObject::connect(action, &QAction::triggered, owner, std::move(trigger));
    return action;
}

} // namespace sorkam
