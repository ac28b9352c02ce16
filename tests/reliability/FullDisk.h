#pragma once

#include <QString>
#include <QtGlobal>

// A real full disk: a small tmpfs mounted over a directory in a mount
// namespace of this test process alone, so that nothing outside sees it and
// it goes with the process whatever happens.
class SmallDisk {
public:
    // Mounts a disk of `bytes` over `directory` and makes it the working
    // directory; see mounted() and whyNot().
    SmallDisk(const QString& directory, qint64 bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    QString whyNot() const { return whyNot_; }

    // Takes every free block with a file of its own outside Data and Log.
    bool fill();

private:
    QString directory_;
    bool mounted_ = false;
    QString whyNot_;
};

// Grows each log in Log by blanks on its fifth line (an empty line of the
// file header: no line is added, none is read) until its last block has only
// `room` bytes left, so that on a full disk every entry is cut short.
bool leaveRoomInLastBlock(int room);
