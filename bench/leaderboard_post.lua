-- wrk: posts real runs to quandrel-server (POST /v1/runs), each from a player
-- of its own, and reports how many were kept and the latency.
-- Usage: wrk -t THREADS -s bench/leaderboard_post.lua URL -- TOKENS_FILE THREADS
-- TOKENS_FILE holds one distinct proven run a line (leaderboard_runs); each
-- wrk thread posts its own share of them, so no run is posted twice.
dofile(debug.getinfo(1, "S").source:match("^@(.-)[^/]*$") .. "leaderboard_answers.lua")
count_answers(201, "kept")

function init(args)
  local count = tonumber(args[2])
  tokens = {}
  local line_number = 0
  for line in io.lines(args[1]) do
    if line_number % count == index then tokens[#tokens + 1] = line end
    line_number = line_number + 1
  end
  sent = 0
end

function request()
  sent = sent + 1
  local token = tokens[(sent - 1) % #tokens + 1]
  local player = string.format("%08x%08x%016x", index, sent, 0)
  local body = '{"token":"' .. token .. '","player":"' .. player .. '","name":[' .. (sent % 256) .. ',' .. index .. ']}'
  return wrk.format("POST", "/v1/runs", {["Content-Type"] = "application/json"}, body)
end
