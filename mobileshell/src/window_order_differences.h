// The differences between Wine's window order (in a virtual desktop) and the
// phone's that the stand-in evens out. This table is the only list of them:
// code elsewhere names a difference by its enumerator (or its number) and
// says no more about it. For each:
//   Wine:    what Wine does;
//   phone:   what the phone does instead;
//   fix:     what sets the work-around off, and where it runs;
//   guard N: the test that fails without it. One line per test, read by
//            tools/guard-check, which switches N off (MOBILESHELL_WITHOUT=N,
//            env_switches.cpp) and expects each of N's tests to fail:
//              guard N: PROGRAM FILTER   a test program of build/bin, run in
//                                        the phone with --gtest_filter=FILTER
//              guard N: ctest NAME       the CTest test NAME
#ifndef QUELLOR_MOBILESHELL_SRC_WINDOW_ORDER_DIFFERENCES_H
#define QUELLOR_MOBILESHELL_SRC_WINDOW_ORDER_DIFFERENCES_H

#include <windows.h>

namespace mobileshell {

enum Difference {
    // Wine:  an activated window stays where it is in the window order.
    // phone: it comes to the top, its bar right above it.
    // fix:   WM_ACTIVATE of a top-level window (call hook): moved to the top.
    // guard 1: shell_tests WindowOrder.AnActivatedWindowComesToTheTop
    kActivationRaises = 1,

    // Wine:  activates a bar (the next window after the front program ends)
    //        or gives it the focus when a program asks.
    // phone: a bar never takes the activation or the focus.
    // fix:   bars are disabled windows, which Wine passes over; HCBT_ACTIVATE
    //        and HCBT_SETFOCUS of a bar are refused (CBT hook).
    // guard 2: shell_tests WindowOrder.ABarIsNeverActivated
    kBarsNeverActive = 2,

    // Wine:  the activation it gives a window when the one in front goes away
    //        reaches that window's thread later, possibly after another
    //        program has come to the front (the lock prompt over a hidden
    //        application); taken then, the window is active behind the one in
    //        front and has the X focus, and with it the keys typed next.
    // phone: the program in front keeps the front.
    // fix:   HCBT_ACTIVATE that comes as a notification from another thread
    //        while another thread's window is in front: refused (CBT hook).
    //        One taken while the front was changing hands, and then lost to
    //        the program taking it, is given back on the thread's ticks;
    //        left active behind that program, the window would later come to
    //        the front with no message at all, and so not be raised (1).
    // guard 3: shell_tests WindowOrder.AnActivationThatComesTooLateIsRefused
    // guard 3: shell_tests WindowOrder.AnActivationLostWhileItIsTakenIsGivenBack
    kLateActivationRefused = 3,

    // Wine:  an owner sent down the window order leaves its bar behind.
    // phone: the bar goes with it.
    // fix:   WM_WINDOWPOSCHANGED of a window with a bar (call hook): the bar
    //        is put right above it, whatever moved.
    // guard 4: shell_tests WindowOrder.ABarFollowsItsOwnerDown
    kBarFollowsToBottom = 4,

    // Wine:  SetWindowPos(HWND_TOPMOST) on a window whose bar is above it
    //        moves the bar to the top but leaves the window itself unmarked.
    // phone: the window and its bar are both topmost.
    // fix:   WM_WINDOWPOSCHANGING to HWND_TOPMOST of a window with a bar,
    //        then WM_WINDOWPOSCHANGED: the move is made again with the bar let
    //        go of (call hook).
    // guard 5: shell_tests WindowOrder.AWindowUnderItsBarIsMadeTopmost
    kTopmostUnderItsBar = 5,

    // Wine:  X draws a window that takes the focus, or is created, above all
    //        others, topmost ones included, though Wine's order has it below.
    // phone: nothing covers a topmost window.
    // fix:   once a topmost window with a bar is on the screen, its thread
    //        watches other programs' focus and new windows (out-of-context
    //        WinEvent hook) and its own loss of the foreground: its topmost
    //        windows are put on top of the screen again on its ticks (on
    //        its own activations too, and as the watch starts: a window
    //        another program raised a moment before may reach the screen
    //        after them), and
    //        then every kTickScheduleMs while another program is in front
    //        (a program kept from running sends its X requests late).
    // guard 6: shell_tests WindowOrder.ATopmostWindowStaysOnTopOfTheScreen
    kTopmostStaysOnScreen = 6,

    // Wine:  a window shown before its thread has the foreground is activated
    //        with WM_NCACTIVATE(FALSE) (the flag says "is foreground"), and
    //        says nothing when the foreground follows a moment later.
    // phone: the window in front is drawn active.
    // fix:   WM_NCACTIVATE(FALSE) (call hook): on the thread's ticks, the
    //        active window, once in front, is told to draw itself active.
    // guard 7: shell_tests WindowOrder.TheWindowInFrontIsDrawnActive
    kFrontDrawnActive = 7,

    // Wine:  moves windows without telling them: a window X exposes is put
    //        above the ones covering it (it hears only a repaint), and a move
    //        another program makes can come between a window's and its bar's.
    // phone: a bar is always right above its owner.
    // fix:   WM_PAINT of a bar or of a window with a bar (message hook, on
    //        while one of the thread's bars is on the screen): the bar is put
    //        back right above its owner.
    // guard 8: shell_tests WindowOrder.ABarMovedSilentlyGoesBackOnTheNextRepaint
    kBarPutBack = 8,

    // Wine:  a window that is not on the screen is shown when it is minimised
    //        (as an icon).
    // phone: has no minimised windows; a hidden full-screen dialog (the lock
    //        prompt) stays off the screen.
    // fix:   WM_WINDOWPOSCHANGING of a full-screen dialog, in the procedure
    //        the shell stands in front of it (dialog.cpp): the show is dropped.
    // guard 9: shell_tests InitDialog.AHiddenDialogStaysOffTheScreenUntilRestored
    kMinimisedStaysOff = 9,

    // Wine:  a move in the window order of a window that is not on the screen
    //        makes it the foreground, taking the front from the program there.
    // phone: a window nobody sees leaves the front where it is.
    // fix:   as 9: the move is made without activation.
    // guard 10: shell_tests InitDialog.AHiddenDialogStaysOffTheScreenUntilRestored
    kHiddenMovedInactive = 10,

    // Wine:  asks X for the keyboard focus with the time of the last message
    //        the thread took from its queue. A thread activated while idle
    //        (the window in front went away; the activation came as a sent
    //        message) asks with a stale time, which X refuses: keys typed on
    //        the X display (the phone in a browser) keep going to the window
    //        that went away, and are lost.
    // phone: keys go to the window in front.
    // fix:   WM_ACTIVATE that comes as a notification from another thread
    //        (call hook): the thread first takes a message posted to itself,
    //        so that the focus Wine gives right after asks with the time of
    //        now. (Asking again later, from ticks, raised the window on X over
    //        a program that was just coming to the front.)
    // guard 11: ctest shell_x_keys
    kXFocusFollows = 11,

    // Wine:  the moves of 8 come from X's exposures, which a thread reads when
    //        it next runs: on a busy phone a program in the background reads
    //        them after another program has come to the front, and Wine lifts
    //        its windows over that one (or between it and its bar).
    // phone: the program in front stays in front.
    // fix:   a thread that has lost the front (WM_ACTIVATEAPP, a refused late
    //        activation of 3, a repaint while another thread is in front)
    //        puts such windows back below the window it lost the front to
    //        on its ticks, or below the window in front once that one is
    //        gone: lifted under a third program, a window would take the
    //        front when that program ends (never into the topmost band,
    //        should that window have just been made topmost: Wine would
    //        mark them topmost too).
    // guard 12: phone_tests Apps/PhoneApp.SecondStartShowsTheFirstAndEnds/*
    // guard 12: shell_tests WindowOrder.AWindowLiftedUnderAThirdProgramGoesBackBelow
    kLateExposureUndone = 12,
};

// The ticks. What the hooks cannot see is what X shows (6), the foreground
// reaching a window with no message at all (7), an activation lost right
// after it was taken (3) and a late exposure moving a window unseen (12).
// For those a thread runs a timer of its own, started by the event that
// makes a check due; the due checks run on ticks 1, 2, 4 ... kLastTick from
// the message loop (not inside another window's activation), and the timer
// stops after the last tick, or once nothing is due; only a restack goes on
// past it, every kTickScheduleMs, while another program is in front of the
// thread's topmost windows. With nothing happening, no timer runs.
//   event                                 makes due   what the tick does
//   another program's focus or new        restack     puts the thread's topmost windows
//     window (WinEvent hook of 6), the                on top of the screen again
//     thread's activation, the watch of 6
//     starting
//   the thread loses the foreground       restack,    as restack, and as below
//     (WM_ACTIVATEAPP)                    below
//   WM_NCACTIVATE(FALSE) (7)              frame       tells the active window, once in
//                                                     front, to draw itself active
//   a refused late activation (3), or a   below       puts the thread's windows lifted over
//     repaint while another thread is                 the window it lost the front to (or
//     in front                                        the one in front) back below it
//   an activation taken as a notification active      gives the activation back once
//     (3)                                             another program has the front
// What X puts on top reaches the screen a moment after Wine reports it: the
// other program sends its X requests when it next waits, and takes the focus
// only after this thread has been told it lost the foreground; hence a few
// ticks spread out rather than one check.
constexpr UINT kTickMs = 50;
constexpr int kLastTick = 32;
// The end of the tick schedule: what the ticks have not done by then, they
// do not do.
constexpr DWORD kTickScheduleMs = kTickMs * kLastTick;

}  // namespace mobileshell

#endif
