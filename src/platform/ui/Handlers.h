#pragma once

#include <QObject>

#include <functional>
#include <type_traits>
#include <utility>

// Every event handler of the program runs through RunHandler, so that an error it ends with is
// shown in the application's general error report right there, the handler's work is abandoned and
// the program goes on, and no exception ever unwinds through Qt's own code. ConnectHandler is the
// program's connect(): it runs the handler (a member function or a lambda) through RunHandler.

void RunHandler(const std::function<void()> &handler);

namespace HandlerDetail {

template <typename Call>
struct Guarded;

template <typename Class, typename Result, typename... Args>
struct Guarded<Result (Class::*)(Args...) const>
{
    template <typename Functor>
    static auto Wrap(Functor functor)
    {
        return [functor = std::move(functor)](Args... args) {
            RunHandler([&] { functor(std::forward<Args>(args)...); });
        };
    }
};

template <typename Class, typename Result, typename... Args>
struct Guarded<Result (Class::*)(Args...)>
{
    template <typename Functor>
    static auto Wrap(Functor functor)
    {
        return [functor = std::move(functor)](Args... args) mutable {
            RunHandler([&] { functor(std::forward<Args>(args)...); });
        };
    }
};

} // namespace HandlerDetail

// A member function of the receiver (or of one of its bases) as the handler of the signal of sender
// (a pointer, or a QPointer, to the object that sends it).
template <typename Sender, typename Signal, typename Receiver, typename Owner, typename Result, typename... Args>
QMetaObject::Connection ConnectHandler(Sender sender, Signal signal, Receiver *receiver,
                                       Result (Owner::*handler)(Args...))
{
    static_assert(std::is_base_of_v<Owner, Receiver>, "the handler must be a member of the receiver");
    Owner *owner = receiver;
    return QObject::connect(sender, signal, receiver, [owner, handler](Args... args) {
        RunHandler([&] { (owner->*handler)(std::forward<Args>(args)...); });
    });
}

// A lambda (or other function object) as the handler of sender's signal, for as long as context lives.
template <typename Sender, typename Signal, typename Functor,
          typename = std::enable_if_t<!std::is_member_function_pointer_v<Functor>>>
QMetaObject::Connection ConnectHandler(Sender sender, Signal signal, const QObject *context, Functor functor)
{
    return QObject::connect(sender, signal, context,
                            HandlerDetail::Guarded<decltype(&Functor::operator())>::Wrap(std::move(functor)));
}
