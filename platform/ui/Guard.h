#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

namespace ui {

// Shows an error that ended an event handler in the application's default error box. Without an application
// object the box is captioned with the program's name.
void showException(const QString& message) noexcept;

// Runs an event handler so that no exception leaves it: an error ends the handler, is shown in the default
// error box and the program goes on. Returns false when the handler ended with an error.
bool guarded(const std::function<void()>& handler) noexcept;

namespace detail {

template <typename Call, typename Tuple, std::size_t... Index>
constexpr bool acceptsLeading(std::index_sequence<Index...> /*unused*/)
{
    return std::is_invocable_v<Call&, std::tuple_element_t<Index, Tuple>&...>;
}

// Calls `call` with the longest leading part of the arguments that it accepts: a handler may leave out the last
// arguments of a signal, or all of them.
template <std::size_t Count, typename Call, typename Tuple> void callWithLeading(Call& call, Tuple& arguments)
{
    if constexpr (acceptsLeading<Call, Tuple>(std::make_index_sequence<Count> {})) {
        [&]<std::size_t... Index>(std::index_sequence<Index...> /*unused*/)
        {
            std::invoke(call, std::get<Index>(arguments)...);
        }
        (std::make_index_sequence<Count> {});
    } else {
        static_assert(Count > 0, "the handler takes none of the signal's leading arguments");
        if constexpr (Count > 0) {
            callWithLeading<Count - 1>(call, arguments);
        }
    }
}

} // namespace detail

// Connects a form's event handler to a signal so that it runs guarded. The handler is a member function of
// the receiver or a callable; it takes the signal's arguments, the leading ones, or none.
template <typename Sender, typename Signal, typename Receiver, typename Handler>
QMetaObject::Connection connectGuarded(const Sender* sender, Signal signal, Receiver* receiver, Handler handler)
{
    return QObject::connect(sender, signal, receiver, [receiver, handler](auto&&... args) -> void {
        guarded([&] {
            const auto call = [&] {
                if constexpr (std::is_member_function_pointer_v<Handler>) {
                    return [&](auto&... taken) -> decltype(std::invoke(handler, receiver, taken...)) {
                        return std::invoke(handler, receiver, taken...);
                    };
                } else {
                    return [&](auto&... taken) -> decltype(std::invoke(handler, taken...)) {
                        return std::invoke(handler, taken...);
                    };
                }
            }();
            std::tuple<decltype(args)...> arguments(std::forward<decltype(args)>(args)...);
            detail::callWithLeading<sizeof...(args)>(call, arguments);
        });
    });
}

} // namespace ui
