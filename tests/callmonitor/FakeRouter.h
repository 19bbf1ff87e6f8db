#pragma once

#include "callmonitor/CallMonitorClient.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <cstdint>
#include <functional>
#include <vector>

namespace tarvis::test {

// A router's call monitor on 127.0.0.1 that the test drives: it listens (or refuses, when it
// stops listening), accepts one client at a time, sends lines and closes.
class FakeRouter {
public:
    FakeRouter() { Lausche(); }

    // On the port it had before, after a restart.
    bool Lausche() {
        return server_.listen(QHostAddress::LocalHost, port_) && (port_ = server_.serverPort());
    }
    void Schweige() {
        server_.close();
        Trenne();
    }
    void Trenne() {
        if (verbindung_ != nullptr) {
            verbindung_->close();
            verbindung_->deleteLater();
            verbindung_ = nullptr;
        }
    }
    quint16 Port() const { return port_; }

    bool WarteAufClient() {
        if (!QTest::qWaitFor([&] { return server_.hasPendingConnections(); }, 10000)) {
            return false;
        }
        verbindung_ = server_.nextPendingConnection();
        return true;
    }
    void Sende(const QByteArray& daten) {
        verbindung_->write(daten);
        verbindung_->flush();
    }
    // Whether the client dropped the connection.
    bool WarteAufTrennung() {
        return QTest::qWaitFor(
            [&] { return verbindung_->state() != QAbstractSocket::ConnectedState; }, 10000);
    }
    QTcpSocket* Verbindung() { return verbindung_; }

private:
    QTcpServer server_;
    QTcpSocket* verbindung_ = nullptr;
    quint16 port_ = 0;
};

// The client's wait before the next attempt, fired by the test instead of by time.
class FakeWecker final : public Wecker {
public:
    void Stelle(std::int64_t ms, std::function<void()> aufgabe) override {
        wartezeiten.push_back(ms);
        aufgabe_ = std::move(aufgabe);
    }
    void Abbrechen() override { aufgabe_ = nullptr; }
    bool Gestellt() const { return static_cast<bool>(aufgabe_); }
    void Klingeln() {
        auto aufgabe = std::move(aufgabe_);
        aufgabe_ = nullptr;
        if (aufgabe) {
            aufgabe();
        }
    }
    std::vector<std::int64_t> wartezeiten;

private:
    std::function<void()> aufgabe_;
};

} // namespace tarvis::test
