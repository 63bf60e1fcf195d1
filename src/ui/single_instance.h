#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;

namespace tallimer {

// One running instance per device folder. The server's name comes from the application title
// and the device folder, so two device folders are two handhelds.
class SingleInstance : public QObject {
    Q_OBJECT
  public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    static QString ServerName();

    // True when another instance runs: it has been asked to come to the front.
    bool AskRunningInstanceToRaise();
    // Becomes the running instance; `raise` is called when a later start asks for it.
    bool Listen(std::function<void()> raise);

  private:
    std::unique_ptr<QLocalServer> server_;
    std::function<void()> raise_;
};

}  // namespace tallimer
