-- wrk script: each thread drives one browser session over its connection.
--
--   wrk -t64 -c64 -d10s -s bench/session.lua http://127.0.0.1:PORT/ -- MODE [gzip]
--
-- MODE "get":  GET "/" to get the session cookie, then GET "/" again and again.
-- MODE "post": GET "/" once, then post the whole form of the shown page again
--              and again with the event cmdSave:click, the current __serial and
--              the session's __csrf (the form is read from the first page).
-- "gzip" adds Accept-Encoding: gzip, as a browser sends it.
--
-- A response that is not the page expected (wrong status, no cookie, a post
-- whose handler did not run) counts as a failure; done() prints one line:
--   RESULT <requests/s> <p50 ms> <p99 ms> <failures> <requests> <avg body bytes>

local threads = {}

function setup(thread)
   thread:set("id", #threads)
   table.insert(threads, thread)
end

-- Per-thread state (each thread has its own Lua state).
local mode = "get"
local gzip = false
local cookie = nil
local serial = nil
local csrf = nil
local fields = nil      -- posted fields other than __serial, __csrf, __event
local marker = nil      -- text of edtField0 in the pending post
local posts = 0
failures = 0
bodyBytes = 0
responses = 0

function init(args)
   mode = args[1] or "get"
   gzip = args[2] == "gzip"
end

local function urlencode(s)
   return (s:gsub("[^%w%-%._~]", function(c) return string.format("%%%02X", string.byte(c)) end))
end

local function unescape(s)
   return (s:gsub("&#(%d+);", function(n) return string.char(tonumber(n)) end)
            :gsub("&quot;", '"'):gsub("&lt;", "<"):gsub("&gt;", ">"):gsub("&amp;", "&"))
end

local function attr(tag, name)
   local v = tag:match("%s" .. name .. '="([^"]*)"')
   return v and unescape(v)
end

-- The fields a browser would post for the form of a page, in page order.
local function readForm(body)
   local out = {}
   for tag in body:gmatch("<input[^>]*>") do
      local name, kind = attr(tag, "name"), attr(tag, "type") or "text"
      local skip = not name or name == "__serial" or name == "__csrf" or name == "__event"
         or kind == "file" or kind == "submit" or tag:find("%sdisabled")
      if not skip and (kind ~= "checkbox" and kind ~= "radio" or tag:find("%schecked")) then
         table.insert(out, { name, attr(tag, "value") or "" })
      end
   end
   for open, options in body:gmatch("<select([^>]*)>(.-)</select>") do
      local name = attr(open, "name")
      local chosen = nil
      for opt in options:gmatch("<option[^>]*>") do
         if opt:find("%sselected") then chosen = attr(opt, "value") end
      end
      if name and chosen then table.insert(out, { name, chosen }) end
   end
   for open, text in body:gmatch("<textarea([^>]*)>(.-)</textarea>") do
      local name = attr(open, "name")
      if name then table.insert(out, { name, unescape(text) }) end
   end
   return out
end

local function postBody()
   posts = posts + 1
   marker = "run " .. posts
   local parts = { "__serial=" .. serial, "__csrf=" .. csrf, "__event=cmdSave%3Aclick" }
   for _, f in ipairs(fields) do
      local value = f[1] == "edtField0" and marker or f[2]
      table.insert(parts, urlencode(f[1]) .. "=" .. urlencode(value))
   end
   return table.concat(parts, "&")
end

function request()
   local headers = {}
   if gzip then headers["Accept-Encoding"] = "gzip" end
   if not cookie then
      return wrk.format("GET", "/", headers)
   end
   headers["Cookie"] = cookie
   if mode == "post" and serial and csrf then
      headers["Content-Type"] = "application/x-www-form-urlencoded"
      return wrk.format("POST", "/", headers, postBody())
   end
   return wrk.format("GET", "/", headers)
end

function response(status, headers, body)
   responses = responses + 1
   bodyBytes = bodyBytes + #body
   if status ~= 200 then
      failures = failures + 1
      cookie = nil -- start a new session
      return
   end
   if not cookie then
      local set = headers["Set-Cookie"] or headers["set-cookie"]
      local sid = set and set:match("zwsid=([0-9a-f]+)")
      if not sid then failures = failures + 1; return end
      cookie = "zwsid=" .. sid
   end
   if gzip then return end -- a compressed body cannot be read here: GET only
   local newSerial = body:match('name="__serial" value="(%d+)"')
   if not newSerial then failures = failures + 1; return end
   if marker then
      -- The handler ran on this post: the label shows what was posted.
      if not body:find(marker .. " / ", 1, true) then failures = failures + 1 end
      marker = nil
   end
   serial = newSerial
   csrf = csrf or body:match('name="__csrf" value="(%x+)"')
   if mode == "post" and not fields then fields = readForm(body) end
end

function done(summary, latency, requests)
   local failed, bytes, count = 0, 0, 0
   for _, t in ipairs(threads) do
      failed = failed + t:get("failures")
      bytes = bytes + t:get("bodyBytes")
      count = count + t:get("responses")
   end
   local seconds = summary.duration / 1e6
   failed = failed + summary.errors.status + summary.errors.timeout + summary.errors.read + summary.errors.write
   io.write(string.format("RESULT %.1f %.3f %.3f %d %d %d\n", summary.requests / seconds,
      latency:percentile(50) / 1000, latency:percentile(99) / 1000, failed, summary.requests,
      count > 0 and math.floor(bytes / count) or 0))
end
