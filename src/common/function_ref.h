#pragma once

#include <memory>
#include <type_traits>
#include <utility>

namespace ixo {

template <typename Signature> class FunctionRef;

// A callable passed down for the length of a call, not kept: unlike std::function it never allocates
// (a reader calls one for each of a project's million values). It refers to the callable it was made
// from, which must outlive it; pass lambdas straight to the parameter.
template <typename Result, typename... Args> class FunctionRef<Result(Args...)> {
public:
    template <typename Callable>
    requires(!std::is_same_v<std::remove_cvref_t<Callable>, FunctionRef> &&
             std::is_invocable_r_v<Result, Callable&, Args...>)
        FunctionRef(Callable&& callable) // NOLINT(google-explicit-constructor): stands in for a callable
        : m_object(const_cast<void*>(static_cast<const void*>(std::addressof(callable)))),
          m_call([](void* object, Args... args) -> Result {
              return (*static_cast<std::remove_reference_t<Callable>*>(object))(std::forward<Args>(args)...);
          }) {}

    Result operator()(Args... args) const { return m_call(m_object, std::forward<Args>(args)...); }

private:
    void* m_object;
    Result (*m_call)(void*, Args...);
};

} // namespace ixo
