// Adapts an application function with typed parameters to the handler calling contract: the event's argument
// words are handed over in order (missing ones as 0); a function returning void returns no value, any other
// result type returns its value.
#pragma once

#include <cstdint>
#include <tuple>
#include <type_traits>
#include <utility>

namespace quarrow::rt {

namespace detail {

template <class F>
struct Signature;
template <class R, class... A>
struct Signature<R (*)(A...)> {
  using Result = R;
  using Args = std::tuple<A...>;
};

template <class T>
T FromWord(std::uintptr_t word) {
  if constexpr (std::is_pointer_v<T>) {
    return reinterpret_cast<T>(word);
  } else if constexpr (std::is_same_v<T, bool>) {
    return static_cast<std::uint32_t>(word) != 0;
  } else {
    return static_cast<T>(static_cast<std::int32_t>(word));
  }
}

template <auto Function, std::size_t... I>
HandlerResult Invoke(const std::uintptr_t* args, std::int32_t count, std::index_sequence<I...>) {
  using S = Signature<decltype(Function)>;
  auto word = [&](std::size_t i) -> std::uintptr_t { return static_cast<std::int32_t>(i) < count ? args[i] : 0; };
  if constexpr (std::is_void_v<typename S::Result>) {
    Function(FromWord<std::tuple_element_t<I, typename S::Args>>(word(I))...);
    return HandlerResult{};
  } else {
    const auto value = Function(FromWord<std::tuple_element_t<I, typename S::Args>>(word(I))...);
    return HandlerResult{true, static_cast<std::int64_t>(value)};
  }
}

}  // namespace detail

template <auto Function>
HandlerResult Handler(const std::uintptr_t* args, std::int32_t count) {
  using S = detail::Signature<decltype(Function)>;
  return detail::Invoke<Function>(args, count, std::make_index_sequence<std::tuple_size_v<typename S::Args>>{});
}

}  // namespace quarrow::rt
