#pragma once

#include <QMutex>
#include <QMutexLocker>
#include <QPointer>

#include <memory>

namespace OrvoCommon {

// The one object a factory hands out, made on first request. The maker runs under the mutex, so
// callers on several threads all get the same object; a maker that throws or gives null leaves
// nothing behind, and the next request tries again. Pointer is std::unique_ptr when the holder owns
// the object, QPointer when a Qt parent does (the holder then only notices that it has gone).
template <typename T, typename Pointer = std::unique_ptr<T>>
class LazyInstance
{
public:
    LazyInstance() : m_mutex(&m_ownMutex) {}
    // Under a mutex that the object's own class already takes (the logger's).
    explicit LazyInstance(QMutex* mutex) : m_mutex(mutex) {}
    LazyInstance(const LazyInstance&) = delete;
    LazyInstance& operator=(const LazyInstance&) = delete;

    template <typename Make>
    T* Get(Make make)
    {
        QMutexLocker lock(m_mutex);
        if (!m_instance)
            m_instance = make();
        return Address(m_instance);
    }
    T* Get()
    {
        return Get([] { return std::make_unique<T>(); });
    }

    // The object if it has been made, without making it.
    T* Existing()
    {
        QMutexLocker lock(m_mutex);
        return Address(m_instance);
    }

    // Ends the object under the mutex: a request made meanwhile waits, then makes a new one.
    void Reset()
    {
        QMutexLocker lock(m_mutex);
        m_instance.reset();
    }

private:
    static T* Address(const std::unique_ptr<T>& instance) { return instance.get(); }
    static T* Address(const QPointer<T>& instance) { return instance.data(); }

    QMutex m_ownMutex;
    QMutex* m_mutex;
    Pointer m_instance;
};

} // namespace OrvoCommon
