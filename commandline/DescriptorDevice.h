#pragma once

#include <QIODevice>

namespace tarvis {

// Standard input or output as a device that reads and writes the descriptor directly. It
// remembers why the system refused a write, so that the message can name the reason even when
// the refusal came in the middle of a long output; and a descriptor another program set to
// non-blocking is waited on rather than taken for a failure.
class DeskriptorGeraet : public QIODevice {
public:
    explicit DeskriptorGeraet(int fd) : fd_(fd) {}

    bool isSequential() const override { return true; }

    // The system's reason for the first failed read or write, or 0.
    int Fehlernummer() const { return fehler_; }

protected:
    qint64 readData(char* daten, qint64 hoechstens) override;
    qint64 writeData(const char* daten, qint64 anzahl) override;

private:
    bool Warte(short worauf);

    int fd_;
    int fehler_ = 0;
};

} // namespace tarvis
