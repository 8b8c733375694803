// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ErrorReporter: where an error goes that no command handled itself. The
// application error handler implements it: it tells the user and the
// program goes on.
//
// Commands that Qt starts (a click, a key, a widget's signal) run through
// runCommand or are connected with connectCommand, so that no exception
// unwinds through Qt's own frames: Debian builds Qt Widgets and Gui without
// exception tables, and an exception crossing them skips their cleanup.
#include <QObject>
#include <exception>
#include <utility>

namespace zelvar {

class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    // Reports one error. Never throws.
    virtual void report(std::exception_ptr error) noexcept = 0;
};

// Hands an error to the reporter; without one it is only logged.
void reportError(ErrorReporter* errors, const std::exception_ptr& error) noexcept;

// Runs a command; an error escaping it is reported and the command is
// abandoned.
template <class Command>
void runCommand(ErrorReporter* errors, Command&& command) noexcept
{
    try {
        std::forward<Command>(command)();
    } catch (...) {
        reportError(errors, std::current_exception());
    }
}

namespace detail {

// A slot with the parameters it declares, run through runCommand: Qt then
// passes it as many of the signal's arguments as it takes.
template <class Call, class... Args>
auto reportedSlot(ErrorReporter* errors, Call call)
{
    return [errors, call = std::move(call)](Args... args) mutable {
        runCommand(errors, [&] { call(std::forward<Args>(args)...); });
    };
}

template <class Functor, class Result, class Class, class... Args>
auto reportedFunctor(ErrorReporter* errors, Functor functor, Result (Class::*)(Args...) const)
{
    return reportedSlot<Functor, Args...>(errors, std::move(functor));
}

template <class Functor, class Result, class Class, class... Args>
auto reportedFunctor(ErrorReporter* errors, Functor functor, Result (Class::*)(Args...))
{
    return reportedSlot<Functor, Args...>(errors, std::move(functor));
}

} // namespace detail

// As QObject::connect, for a command: an error escaping the slot goes to
// the reporter. The slot is a member function of the receiver or a lambda
// run in the receiver's context.
template <class Sender, class Signal, class Receiver, class Result, class Class, class... Args>
QMetaObject::Connection connectCommand(ErrorReporter& errors, const Sender* sender, Signal signal, Receiver* receiver,
                                       Result (Class::*slot)(Args...))
{
    Class* target = receiver;
    auto call = [target, slot](Args... args) { (target->*slot)(std::forward<Args>(args)...); };
    return QObject::connect(sender, signal, receiver,
                            detail::reportedSlot<decltype(call), Args...>(&errors, std::move(call)));
}

template <class Sender, class Signal, class Functor>
QMetaObject::Connection connectCommand(ErrorReporter& errors, const Sender* sender, Signal signal,
                                       const QObject* context, Functor functor)
{
    return QObject::connect(sender, signal, context,
                            detail::reportedFunctor(&errors, std::move(functor), &Functor::operator()));
}

} // namespace zelvar
