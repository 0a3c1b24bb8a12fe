// The clone list record types (filled in by the clone list unit).
