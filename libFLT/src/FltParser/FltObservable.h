#pragma once

class FltRecord;

template <class Subject>
class FltObserver {
public:
    virtual void update(Subject* subject) = 0;
    virtual ~FltObserver() = default;
};

class FltRecordObserver : public FltObserver<FltRecord> {};

template <class Subject, class Observer>
class FltObservable {
public:
    virtual void attach(Observer* observer) = 0;
    virtual void detach(Observer* observer) = 0;
    virtual void notify(Subject* subject) = 0;

protected:
    ~FltObservable() = default;
};

class FltRecordObservable : public FltObservable<FltRecord, FltRecordObserver> {
protected:
    ~FltRecordObservable() = default;
};
