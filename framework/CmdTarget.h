#pragma once

// Command targets and their message maps. A target binds command ids to a
// handler and, optionally, to an update handler that enables, checks or
// renames the item that offers the command. Routing between targets is the
// frame's job: it finds each command's handlers once, when it is built.

#include "AfxRes.h"

#include <QString>

#include <functional>
#include <vector>

// The root of the classes the document template creates from their run-time
// class.
class CObject {
  public:
    virtual ~CObject() = default;
};

struct CRuntimeClass {
    const char* m_lpszClassName;
    CObject* (*m_pfnCreateObject)();

    CObject* CreateObject() const { return m_pfnCreateObject(); }
};

template <class T> CObject* AfxCreateObject() {
    return new T;
}

#define RUNTIME_CLASS(class_name) (CRuntimeClass{#class_name, &AfxCreateObject<class_name>})

// What an update handler sets on the menu item, button, key or status pane
// that offers a command.
class CCmdUI {
  public:
    explicit CCmdUI(UINT id) : m_nID(id) {}
    virtual ~CCmdUI() = default;

    virtual void Enable(bool on = true) = 0;
    virtual void SetCheck(int check = 1) = 0;
    virtual void SetText(const QString& text) = 0;
    // Only the recent-file list's entries come and go.
    virtual void Show(bool on) = 0;

    const UINT m_nID;
};

using CommandHandler = std::function<void()>;
using UpdateHandler = std::function<void(CCmdUI*)>;

class CCmdTarget : public CObject {
  public:
    // This target's own handlers of the command; null when its map has none.
    const CommandHandler* FindCommandHandler(UINT id) const;
    const UpdateHandler* FindUpdateHandler(UINT id) const;

  protected:
    // The message map. An entry made later (by a derived class's
    // constructor) takes precedence over one made earlier for the same id.
    template <class T> void MapCommand(UINT id, void (T::*handler)()) {
        T* target = static_cast<T*>(this);
        m_commands.push_back({id, [target, handler] { (target->*handler)(); }});
    }
    template <class T> void MapUpdateCommandUI(UINT id, void (T::*handler)(CCmdUI*)) {
        T* target = static_cast<T*>(this);
        m_updates.push_back({id, [target, handler](CCmdUI* ui) { (target->*handler)(ui); }});
    }
    void MapCommand(UINT id, CommandHandler handler) {
        m_commands.push_back({id, std::move(handler)});
    }
    void MapUpdateCommandUI(UINT id, UpdateHandler handler) {
        m_updates.push_back({id, std::move(handler)});
    }

  private:
    template <class Handler> struct Entry {
        UINT id;
        Handler handler;
    };
    template <class Handler>
    static const Handler* Find(const std::vector<Entry<Handler>>& entries, UINT id);

    std::vector<Entry<CommandHandler>> m_commands;
    std::vector<Entry<UpdateHandler>> m_updates;
};
