// Reads a screen cast from PipeWire: the stream's BGRx/BGRA shared-memory buffers become
// pictures, handed over on PipeWire's own loop thread. A still screen sends nothing.
#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <memory>

class PipeWireScreenStream {
public:
    // `picture` gets a picture of its own (Format_RGB32) for each buffer; `failed` is told once
    // when the stream breaks. Both run on PipeWire's thread.
    struct Handlers {
        std::function<void(QImage picture)> picture;
        std::function<void(const QString& error)> failed;
    };

    // Takes over `fd`, a PipeWire remote, and reads `node` from it. Null, with the reason in
    // `error`, when the remote cannot be used.
    static std::unique_ptr<PipeWireScreenStream> open(int fd, uint32_t node, Handlers handlers,
                                                      QString& error);
    // Nothing is handed over once this returns.
    ~PipeWireScreenStream();

    struct State;

private:
    explicit PipeWireScreenStream(std::unique_ptr<State> state);
    std::unique_ptr<State> m_state;
};
