#pragma once
// The modal loops that run now: modal dialogs, message boxes, file and colour dialogs, popup
// menus, progress dialogs. Each waits for the user while whatever opened it stays on the stack,
// so nothing it uses may be destroyed meanwhile: a close of the program waits until none runs.
// A loop takes the mouse from a window that captured it.
// An end of the program (the desktop session ending) ends them all as Cancel would, and every
// one that starts while the program ends is ended before it waits.
#include <functional>

class CModalLoop
{
public:
    // `end` ends the loop as Cancel (or Escape) would; it is called at most once.
    explicit CModalLoop(std::function<void()> end);
    ~CModalLoop();
    CModalLoop(const CModalLoop&) = delete;
    CModalLoop& operator=(const CModalLoop&) = delete;

    // Whether the loop was ended from outside, or must not wait at all: the caller then does not
    // start waiting (a dialog that is not up yet cannot be cancelled).
    bool Ended() const { return m_ended; }

    // How many loops run now.
    static int Running();
    // Ends every running loop; while `ending` stays set, also each loop that starts later.
    static void EndAll();
    static void SetProgramEnding(bool ending);
    static bool IsProgramEnding();

private:
    std::function<void()> m_end;
    bool m_ended = false;
};
