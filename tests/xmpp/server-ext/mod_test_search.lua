-- Test-only component for the client's tests (never product code).
--   * user search: a data form with one text-single field "search"; the
--     results have the columns "jid" and "Name" (every account of the main
--     host whose user name or player name contains the text,
--     case-insensitively, sorted). The player name is the one the game
--     server gives the account's player id: the scripted game servers write
--     theirs ("<id>\t<name>" lines) to the files of test_search_names_dir
--     (mahjong-peer --names-dir); an id they do not name is "player<id>",
--     as the scripted game server calls a player it has no account for;
--     a form without that field is refused with bad-request.
--   * rooms that refuse entry: presence to busy-*@<this host>/nick is
--     answered with wait/recipient-unavailable, to forbidden-*@... with
--     auth/forbidden; entries are counted per room.
--   * test control by chat message to the bare component address:
--     "count <room>" answers with the number of entries into <room>;
--     "kick <room>/<nick> <reason>" kicks that occupant from a room of the
--     conference service (the server itself is the actor);
--     "drop <user>" ends every stream of that account of the main host
--     with a stream error, as a server going away would.
local st = require "util.stanza";
local jid_split = require "util.jid".split;
local usermanager = require "core.usermanager";

local main_host = module:get_option_string("test_search_host", "localhost");
local conference_host = module:get_option_string("test_conference_host", "conference." .. main_host);
local xmlns_search = "jabber:iq:search";
local xmlns_data = "jabber:x:data";

local names_dir = module:get_option_string("test_search_names_dir", nil);

local entries = {};

-- The player names the game servers gave, by user (player id).
local function player_names()
	local names = {};
	if not names_dir then return names; end
	local ok, lfs = pcall(require, "lfs");
	if not ok then return names; end
	local listed, iter, state = pcall(lfs.dir, names_dir);
	if not listed then return names; end
	for file in iter, state do
		if file:match("%.names$") then
			local f = io.open(names_dir .. "/" .. file, "r");
			if f then
				for line in f:lines() do
					local id, name = line:match("^(%d+)\t(.+)$");
					if id then names[id] = name; end
				end
				f:close();
			end
		end
	end
	return names;
end

local function player_name(names, user)
	return names[user] or ("player" .. user);
end

module:hook("iq-get/host/http://jabber.org/protocol/disco#info:query", function (event)
	local reply = st.reply(event.stanza)
		:tag("query", { xmlns = "http://jabber.org/protocol/disco#info" })
		:tag("identity", { category = "directory", type = "user", name = "Player search" }):up()
		:tag("feature", { var = xmlns_search }):up();
	event.origin.send(reply);
	return true;
end);

module:hook("iq-get/host/http://jabber.org/protocol/disco#items:query", function (event)
	event.origin.send(st.reply(event.stanza):tag("query", { xmlns = "http://jabber.org/protocol/disco#items" }));
	return true;
end);

module:hook("iq-get/host/jabber:iq:search:query", function (event)
	local reply = st.reply(event.stanza)
		:tag("query", { xmlns = xmlns_search })
		:text_tag("instructions", "Enter a part of a player name.")
		:tag("x", { xmlns = xmlns_data, type = "form" })
		:text_tag("title", "Player search")
		:tag("field", { type = "hidden", var = "FORM_TYPE" }):text_tag("value", xmlns_search):up()
		:tag("field", { type = "text-single", var = "search", label = "Search" }):up();
	event.origin.send(reply);
	return true;
end);

local function search_text(query)
	local form = query:get_child("x", xmlns_data);
	if not form then return nil; end
	for field in form:childtags("field") do
		if field.attr.var == "search" then
			return field:get_child_text("value") or "";
		end
	end
	return nil;
end

module:hook("iq-set/host/jabber:iq:search:query", function (event)
	local stanza = event.stanza;
	local text = search_text(stanza.tags[1]);
	if not text then
		event.origin.send(st.error_reply(stanza, "modify", "bad-request", "the form needs a field named search"));
		return true;
	end
	local known = player_names();
	local users = {};
	for user in usermanager.users(main_host) do
		local needle = text:lower();
		if user:lower():find(needle, 1, true) or player_name(known, user):lower():find(needle, 1, true) then
			users[#users + 1] = user;
		end
	end
	table.sort(users);
	local reply = st.reply(stanza)
		:tag("query", { xmlns = xmlns_search })
		:tag("x", { xmlns = xmlns_data, type = "result" })
		:tag("field", { type = "hidden", var = "FORM_TYPE" }):text_tag("value", xmlns_search):up()
		:tag("reported")
			:tag("field", { var = "jid", label = "JID", type = "jid-single" }):up()
			:tag("field", { var = "Name", label = "Name", type = "text-single" }):up()
		:up();
	for _, user in ipairs(users) do
		reply:tag("item")
			:tag("field", { var = "jid" }):text_tag("value", user .. "@" .. main_host):up()
			:tag("field", { var = "Name" }):text_tag("value", player_name(known, user)):up()
		:up();
	end
	event.origin.send(reply);
	return true;
end);

module:hook("presence/full", function (event)
	local stanza = event.stanza;
	if stanza.attr.type == "unavailable" or stanza.attr.type == "error" then return true; end
	local node, host = jid_split(stanza.attr.to);
	local room = node and (node .. "@" .. host);
	if not room then return true; end
	entries[room] = (entries[room] or 0) + 1;
	local reply;
	if node:match("^busy%-") then
		reply = st.error_reply(stanza, "wait", "recipient-unavailable");
	else
		reply = st.error_reply(stanza, "auth", "forbidden");
	end
	event.origin.send(reply);
	return true;
end);

local function kick(target, reason)
	local conference = prosody.hosts[conference_host];
	local muc = conference and conference.modules.muc;
	if not muc then return "no conference service"; end
	local node, host = jid_split(target);
	local room = muc.get_room_from_jid(node .. "@" .. host);
	if not room then return "no such room"; end
	local ok, _, condition = room:set_role(true, target, "none", reason);
	return ok and "kicked" or ("not kicked: " .. tostring(condition));
end

local function drop(user)
	local host = prosody.hosts[main_host];
	local account = host and host.sessions and host.sessions[user];
	if not account or not account.sessions then return "no sessions"; end
	local streams = {};
	for _, session in pairs(account.sessions) do streams[#streams + 1] = session; end
	for _, session in ipairs(streams) do
		session:close({ condition = "system-shutdown", text = "dropped by the test" });
	end
	return "dropped " .. #streams;
end

module:hook("message/host", function (event)
	local stanza = event.stanza;
	local body = stanza:get_child_text("body");
	if not body then return true; end
	local answer;
	local room = body:match("^count (%S+)$");
	if room then
		answer = tostring(entries[room] or 0);
	else
		local target, reason = body:match("^kick (%S+) ?(.*)$");
		local user = body:match("^drop (%S+)$");
		if target then answer = kick(target, reason);
		elseif user then answer = drop(user);
		else answer = "unknown command"; end
	end
	event.origin.send(st.message({ to = stanza.attr.from, from = stanza.attr.to, type = "chat" })
		:text_tag("body", answer));
	return true;
end);
