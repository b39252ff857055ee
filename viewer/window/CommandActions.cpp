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

// The table's keys, one key sequence each: the keys --help and the manual page name, also where
// the platform's own keys for the command differ (X11's Close has no Ctrl+F4).
QList<QKeySequence> keysOf(const Command& command) {
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
