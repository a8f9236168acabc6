# Turns a Wine registry file (system.reg or user.reg) into one line per key, "hive\key", and one per value,
# "hive\key|name|value", so that two states of a registry compare line by line: keys in lower case (the
# registry ignores their case), timestamps dropped, values as the file writes them.
# awk -v hive=hklm -f registry_lines.awk system.reg
function flush() {
  if (pending != "") print pending
  pending = ""
}
/^\[/ {
  flush()
  key = substr($0, 2)
  sub(/\] [0-9]+$/, "", key)
  gsub(/\\\\/, "\\", key)
  key = tolower(key)
  print hive "\\" key
  next
}
/^  / {
  line = $0
  sub(/^ +/, "", line)
  pending = pending line
  next
}
/^@=/ {
  flush()
  pending = hive "\\" key "|@|" substr($0, 3)
  next
}
/^"/ {
  flush()
  if (match($0, /^"([^"\\]|\\.)*"=/)) {
    pending = hive "\\" key "|" substr($0, 2, RLENGTH - 3) "|" substr($0, RLENGTH + 1)
  }
  next
}
{ flush() }
END { flush() }
