// Run-time class information: each class names itself and its base, so code
// holding a base pointer can ask what it really points to (the controls ask
// whether a parent is a colour-inheriting dialog, or a control an edit field
// with its own colours).
#pragma once

namespace framework {

struct CRuntimeClass {
    const char *className;
    const CRuntimeClass *baseClass;  // null for the root

    bool IsDerivedFrom(const CRuntimeClass *other) const {
        for (const CRuntimeClass *c = this; c != nullptr; c = c->baseClass)
            if (c == other) return true;
        return false;
    }
};

// Every class that answers type queries declares, beside its base:
//   static constexpr CRuntimeClass runtimeClass{"Name", &Base::runtimeClass};
//   const CRuntimeClass *GetRuntimeClass() const override { return &runtimeClass; }
class CObject {
public:
    static constexpr CRuntimeClass runtimeClass{"CObject", nullptr};

    virtual ~CObject() = default;
    virtual const CRuntimeClass *GetRuntimeClass() const { return &runtimeClass; }

    bool IsKindOf(const CRuntimeClass *cls) const {
        return cls != nullptr && GetRuntimeClass()->IsDerivedFrom(cls);
    }
};

// The object as a T when its run-time class derives from T's, else null.
template <class T>
T *DynamicDowncast(CObject *object) {
    return object != nullptr && object->IsKindOf(&T::runtimeClass) ? static_cast<T *>(object)
                                                                   : nullptr;
}

template <class T>
const T *DynamicDowncast(const CObject *object) {
    return object != nullptr && object->IsKindOf(&T::runtimeClass)
               ? static_cast<const T *>(object)
               : nullptr;
}

}  // namespace framework
