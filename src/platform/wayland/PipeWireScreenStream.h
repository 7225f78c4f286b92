// Reads a screen cast from PipeWire: the stream's BGRx/BGRA shared-memory buffers become
// pictures, handed over on PipeWire's own loop thread. A still screen sends nothing. Where the
// stream carries the pointer beside the picture (cursor metadata), that is handed over too.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>

class PipeWireScreenStream {
public:
    // The pointer as the stream describes it, in the picture's pixels (top-left origin).
    struct Cursor {
        // False when the pointer is off the picture or hidden.
        bool visible = false;
        QPoint position;
        // Measured from the image's top-left corner.
        QPoint hotSpot;
        // Format_ARGB32_Premultiplied; null until the stream has sent one.
        QImage image;
    };
    // `picture` gets a picture of its own (Format_RGB32) for each buffer; `cursor` the pointer
    // for each buffer that describes it; `failed` is told once when the stream breaks. All run
    // on PipeWire's thread.
    struct Handlers {
        std::function<void(QImage picture)> picture;
        std::function<void(const QString& error)> failed;
        std::function<void(const Cursor& cursor)> cursor;
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
