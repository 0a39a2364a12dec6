// Reading a PNG picture one row at a time, so that a large picture can be
// drawn without ever being held whole.
#pragma once

#include <QByteArray>
#include <QSize>

#include <memory>

namespace pictures {

// Decodes PNG bytes row by row, top to bottom, as opaque 32-bit pixels
// (QImage::Format_RGB32): transparent parts come out over black, as the table
// shows every picture. Interlaced pictures are not read (their rows do not
// arrive in order).
class PngRowReader {
public:
    // The bytes must stay alive while the reader reads them.
    explicit PngRowReader(const QByteArray& bytes);
    ~PngRowReader();
    PngRowReader(const PngRowReader&) = delete;
    PngRowReader& operator=(const PngRowReader&) = delete;

    // The picture's size; empty when the bytes are no PNG this reads.
    QSize Size() const { return size_; }

    // Writes the next row (Size().width() pixels) to `line`; false once the
    // rows are done or when the data turns out damaged.
    bool ReadRow(unsigned char* line);

    // True when `bytes` start as a PNG file does.
    static bool IsPng(const QByteArray& bytes);

    struct State;  // libpng's reading state, defined with the reader

private:
    std::unique_ptr<State> state_;
    QSize size_;
    int rowsRead_ = 0;
};

}  // namespace pictures
